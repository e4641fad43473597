// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The character keyboard in the main window: where it sits, its keys for every type and
// source, clicks going into the current row, and refills.

#include "support/DialogFixture.h"

#include "glyphs/SysFontGlyph.h"
#include "preview/KeyWnd.h"
#include "rows/Columns.h"

#include <QAccessible>
#include <QScrollBar>
#include <cstring>

namespace tessivo::test {
namespace {

class KeyWndTest : public DialogFixture {
protected:
    CKeyWnd *keys() { return dialog->keyWindow(); }
    /// The index of the key of a code, or -1.
    int keyOf(uint16_t code)
    {
        const auto &all = keys()->keyboard().keys();
        for (size_t k = 0; k < all.size(); ++k)
            if (all[k].code == code)
                return int(k);
        return -1;
    }
    void click(uint16_t code)
    {
        const int k = keyOf(code);
        ASSERT_GE(k, 0) << code;
        const QPoint at = keys()->keyCentre(k);
        ASSERT_NE(at, QPoint(-1, -1)) << "key " << code << " is not shown";
        QTest::mouseMove(keys(), at);
        QTest::mouseClick(keys(), Qt::LeftButton, Qt::NoModifier, at);
    }
};

TEST_F(KeyWndTest, SitsOnItsPlaceWithItsOwnScrollBar)
{
    EXPECT_EQ(keys()->objectName(), "id101");
    EXPECT_EQ(keys()->accessibleName(), "Character keyboard");
    EXPECT_EQ(keys()->geometry(), control<QWidget>(1005)->geometry());
    EXPECT_EQ(keys()->scrollBar()->objectName(), "id102");
    EXPECT_EQ(keys()->scrollBar()->width(), 20);
    EXPECT_EQ(keys()->scrollBar()->height(), keys()->contentsRect().height());
    // The glyph files at 16 LEDs: fifteen symbols, space and the printable ASCII, less
    // any glyph that repeats an earlier one.
    EXPECT_GE(keys()->keyboard().keyCount(), 100);
    EXPECT_LE(keys()->keyboard().keyCount(), 15 + 95);
    EXPECT_EQ(keys()->keyboard().keys().front().code, 1);
    EXPECT_EQ(keys()->keyboard().visibleLines(), keys()->contentsRect().height() / 30);
    EXPECT_EQ(keys()->scrollBar()->isEnabled(), keys()->keyboard().lineCount() > keys()->keyboard().visibleLines());
}

TEST_F(KeyWndTest, AClickedKeyGoesIntoTheRowThatLastHadTheFocusAtItsCaret)
{
    // No row had the focus yet: row 1.
    click('K');
    EXPECT_EQ(rowWindow(0)->rowText(), "K");
    EXPECT_TRUE(rowWindow(0)->hasFocus());
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(document.isRowEnabled(1));  // the row changed: the next one opens

    type(1, QStringLiteral("ac"));
    rowWindow(1)->row().MoveCaretKey(-1, false);
    click('b');
    EXPECT_EQ(rowWindow(1)->rowText(), "abc");
    EXPECT_EQ(rowWindow(1)->row().caretIndex(), 2);
}

TEST_F(KeyWndTest, AFullRowRefusesTheKeyAsTypingWould)
{
    type(0, QString(18, u'W'));  // 18 x 8 columns: the 144 columns of a 16-LED row
    ASSERT_EQ(document.row(0).usedWidth(), 144);
    const int before = document.row(0).n();
    click('X');
    EXPECT_EQ(document.row(0).n(), before);
}

TEST_F(KeyWndTest, APickNeverLandsInADisabledRow)
{
    type(0, QStringLiteral("a"));
    type(1, QStringLiteral("b"));
    answer = mb::kIdNo;
    dialog->OnClear();  // row 2 is disabled again; row 1 is current
    click('Z');
    EXPECT_EQ(rowWindow(0)->rowText(), "Z");
    EXPECT_EQ(rowWindow(1)->rowText(), "");
}

TEST_F(KeyWndTest, EveryTypeAndSourceRefillsTheKeys)
{
    const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS");
    const auto shoot = [&](const QString &name) {
        if (!out.isEmpty())
            keys()->grab().save(QString::fromLocal8Bit(out) + "/keyboard-" + name + ".png");
    };
    for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        keys()->scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        document.ChangeLedType(type, true);
        EXPECT_EQ(keys()->keyboard().ledType(), type);
        EXPECT_EQ(keys()->keyboard().topLine(), 0);
        EXPECT_EQ(keys()->keyboard().litKey(), -1);
        EXPECT_GE(keyOf(' '), 0);
        shoot(QStringLiteral("files-%1").arg(type));
    }
    EXPECT_EQ(keyOf(1), 0);  // symbols of the 16-LED type
    const int fromFiles = keys()->keyboard().keyCount();

    // The installed font: its glyphs, from the font picked in the list.
    QTest::mouseClick(control<QWidget>(1035), Qt::LeftButton);
    EXPECT_FALSE(document.glyphSource().userFont);
    for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        document.ChangeLedType(type, true);
        EXPECT_GE(keyOf('A'), 0) << type;
        shoot(QStringLiteral("font-%1").arg(type));
    }
    EXPECT_NE(keys()->keyboard().keyCount(), fromFiles);
    const ChrRecord fontA = keys()->keyboard().keys()[size_t(keyOf('A'))];
    document.setGlyphSource({false, QStringLiteral("DejaVu Serif")});
    EXPECT_NE(std::memcmp(keys()->keyboard().keys()[size_t(keyOf('A'))].columns, fontA.columns, 72), 0);
    FreeTypeFonts();
}

TEST_F(KeyWndTest, SevenLedKeysAreDrawnTwiceAsLarge)
{
    const auto inkedHeight = [this](uint16_t code) {
        const QImage shot = keys()->grab().toImage();
        const QRect cell = keys()->keyboard().cellRect(keyOf(code)).translated(keys()->contentsRect().topLeft());
        int top = cell.bottom(), bottom = cell.top();
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (shot.pixel(x * int(shot.devicePixelRatio()), y * int(shot.devicePixelRatio())) == qRgb(0, 0, 0)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    /// Rows of a key's glyph from its lowest to its highest lit LED.
    const auto litRows = [this](uint16_t code) {
        const ChrRecord &r = keys()->keyboard().keys()[size_t(keyOf(code))];
        int low = r.height, high = -1;
        for (int column = 0; column < r.width; ++column)
            for (int row = 0; row < r.height; ++row)
                if (columnBit(r.columns, r.height, column, row)) {
                    low = std::min(low, row);
                    high = std::max(high, row);
                }
        return high - low + 1;
    };
    document.ChangeLedType(ledtype::k7, true);
    EXPECT_EQ(inkedHeight('H'), 2 * litRows('H'));
    EXPECT_GE(litRows('H'), 5);
    document.ChangeLedType(ledtype::k16, true);
    EXPECT_EQ(inkedHeight('H'), litRows('H'));
}

TEST_F(KeyWndTest, TheKeyUnderThePointerShowsItsHighlightedFace)
{
    const int k = keyOf('M');
    QTest::mouseMove(keys(), keys()->keyCentre(k));
    EXPECT_EQ(keys()->keyboard().litKey(), k);
    const QImage shot = keys()->grab().toImage();
    bool magenta = false;
    const QRect cell = keys()->keyboard().cellRect(k).translated(keys()->contentsRect().topLeft());
    for (int y = cell.top(); y <= cell.bottom() && !magenta; ++y)
        for (int x = cell.left(); x <= cell.right() && !magenta; ++x)
            magenta = shot.pixel(x, y) == qRgb(250, 50, 250);
    EXPECT_TRUE(magenta);
    if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
        shot.save(QString::fromLocal8Bit(out) + "/keyboard-hot.png");
}

} // namespace
TEST_F(KeyWndTest, TheScrollBarEndsWhereTheLastLineShows)
{
    const Keyboard &board = keys()->keyboard();
    ASSERT_GT(board.lineCount(), board.visibleLines());
    EXPECT_EQ(keys()->scrollBar()->maximum(), board.lineCount() - board.visibleLines());
    keys()->scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    keys()->scrollBar()->setSliderPosition(keys()->scrollBar()->maximum());
    keys()->scrollBar()->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(board.topLine() + board.visibleLines(), board.lineCount());
}

TEST_F(KeyWndTest, TheKeysCanBeUsedFromTheKeyboardAndReadByAScreenReader)
{
    EXPECT_EQ(keys()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QApplication::setActiveWindow(dialog.get());
    keys()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(keys()->hasFocus());
    EXPECT_EQ(keys()->keyboard().focusKey(), 0);
    const int k = keyOf('A');
    ASSERT_GE(k, 0);
    for (int i = 0; i < k % keys::kPerLine; ++i)
        QTest::keyClick(keys(), Qt::Key_Right);
    for (int i = 0; i < k / keys::kPerLine; ++i)
        QTest::keyClick(keys(), Qt::Key_Down);
    EXPECT_EQ(keys()->keyboard().focusKey(), k);
    QTest::keyClick(keys(), Qt::Key_Return);
    QTest::keyClick(keys(), Qt::Key_Space);
    EXPECT_EQ(rowWindow(0)->rowText(), "AA");

    // Each key is a named button of the keyboard.
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(keys());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->text(QAccessible::Name), "Character keyboard");
    ASSERT_GE(grid->childCount(), keys()->keyboard().keyCount());
    QAccessibleInterface *a = grid->child(k);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "A");
    EXPECT_EQ(grid->indexOfChild(a), k);
    EXPECT_EQ(grid->child(0)->text(QAccessible::Name), "Symbol 1");
    EXPECT_EQ(keys()->keyName(keyOf(' ')), "Space");
    // A refill (another LED type) makes the keys anew.
    document.ChangeLedType(ledtype::k11, true);
    EXPECT_EQ(grid->childCount(), keys()->keyboard().keyCount() + 1);
}

TEST_F(KeyWndTest, AfterOpenPicksGoToTheRowThatHadTheFocus)
{
    type(0, QStringLiteral("a"));
    type(1, QStringLiteral("b"));
    type(2, QStringLiteral("c"));
    filePath = path("three.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    rowWindow(2)->setFocus();
    ASSERT_EQ(document.currentRow(), 2);
    ASSERT_TRUE(dialog->OpenProjectFile(path("three.LDAT")));
    click('K');
    EXPECT_EQ(rowWindow(2)->rowText(), "cK");
    EXPECT_EQ(rowWindow(0)->rowText(), "a");
}

TEST_F(KeyWndTest, AnInstalledFontGetsNoKeysOfFallbackBoxesForControlCodes)
{
    document.setGlyphSource({false, QStringLiteral("DejaVu Sans")});
    ASSERT_GT(keys()->keyboard().keyCount(), 0);
    for (const ChrRecord &key : keys()->keyboard().keys()) {
        if (key.code < 32) {
            EXPECT_TRUE(faceHasOwnGlyph(QStringLiteral("DejaVu Sans"), document.ledType(), key.code)) << key.code;
        }
    }
    EXPECT_GE(keys()->keyboard().keys().front().code, 32) << "DejaVu Sans draws no control code";
    EXPECT_EQ(keys()->keyboard().keys().front().code, ' ');
}

} // namespace tessivo::test
