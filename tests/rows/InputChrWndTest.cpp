// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The row input window driven like a user drives it: keys, mouse, clipboard and menu.

#include "support/DialogFixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMimeData>
#include <cstring>

namespace tessivo::test {
namespace {

class InputChrWndTest : public DialogFixture {
protected:
    CInputChrWnd *row1() { return rowWindow(0); }
    QString text(int k) { return rowWindow(k)->rowText(); }
};

TEST_F(InputChrWndTest, WidthsCaretAndPixelsPerLedOfTheThreeTypes)
{
    struct Case {
        int type, width, height, caretHeight, scale;
    };
    for (const Case &c : {Case{ledtype::k7, 254, 26, 14, 2}, Case{ledtype::k11, 172, 23, 11, 1},
                          Case{ledtype::k16, 156, 26, 16, 1}}) {
        document.ChangeLedType(c.type, true);
        dialog->LayoutRows();
        EXPECT_EQ(row1()->width(), c.width) << c.type;
        EXPECT_EQ(row1()->height(), c.height) << c.type;
        EXPECT_EQ(row1()->caretRect().height(), c.caretHeight) << c.type;
        EXPECT_EQ(row1()->caretRect().width(), 2);
        // One lit LED covers scale x scale pixels.
        type(0, QStringLiteral("I"));
        row1()->clearFocus();  // no caret in the picture
        const QImage shot = row1()->grab().toImage();
        int black = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                black += shot.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        int lit = 0;
        const MonoImage &image = row1()->row().rowImage();
        for (int y = 0; y < row1()->row().height(); ++y)
            for (int x = 0; x < row1()->row().usedWidth(); ++x)
                lit += image.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(black, lit * c.scale * c.scale) << c.type;
    }
}

TEST_F(InputChrWndTest, PaintsFrameMarksAndDisabledColours)
{
    type(0, QStringLiteral("AB"));
    row1()->clearFocus();
    const QImage shot = row1()->grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(49, 106, 197));       // frame
    EXPECT_EQ(shot.pixel(1, 1), qRgb(220, 240, 240));      // strip left of the text
    const RowModel::TextRect text = row1()->row().textRect(row1()->width(), row1()->height());
    EXPECT_EQ(shot.pixel(text.left, 1), qRgb(140, 150, 200));       // mark of character 0
    EXPECT_EQ(shot.pixel(text.left + 9, 1), qRgb(180, 200, 220));   // mark of character 1
    EXPECT_EQ(shot.pixel(text.right - 1, 1), qRgb(220, 240, 240));  // after the last one
    const QImage disabled = rowWindow(5)->grab().toImage();
    EXPECT_EQ(QColor(disabled.pixel(5, 5)), rowWindow(5)->palette().color(QPalette::Button));
}

TEST_F(InputChrWndTest, CtrlLetterTypesItsControlCode)
{
    row1()->setFocus();
    QTest::keyClick(row1(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(row1()->row().n(), 1);
    EXPECT_EQ(row1()->row().entry(0).code, 1);
}

TEST_F(InputChrWndTest, EnterAndEscapeStayInTheRow)
{
    type(0, QStringLiteral("A"));
    QTest::keyClick(row1(), Qt::Key_Escape);
    QTest::keyClick(row1(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(InputChrWndTest, ShortcutsCopyPasteCutUndoRedo)
{
    type(0, QStringLiteral("abc"));
    QTest::keyClick(row1(), Qt::Key_Home);
    QTest::keyClick(row1(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(row1(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(QString::fromLatin1(clipboard::kGlyphMime)).size(), 3 * 84);
    EXPECT_EQ(data->text(), "abc");

    QTest::keyClick(row1(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text(0), "");
    QTest::keyClick(row1(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(0), "abc");
    QTest::keyClick(row1(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(0), "");

    rowWindow(1)->setFocus();
    QTest::keyClick(rowWindow(1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(1), "abc");
}

TEST_F(InputChrWndTest, PasteTextFromAnotherProgram)
{
    QApplication::clipboard()->setText(QString::fromUtf16(u"Hi 你好\nnext"));
    row1()->OnCommand(rowcmd::kPasteText);
    EXPECT_EQ(text(0), QString::fromUtf16(u"Hi 你好"));
    EXPECT_EQ(row1()->row().caretIndex(), 5);
}

TEST_F(InputChrWndTest, DamagedGlyphDataPastesNothing)
{
    type(0, QStringLiteral("x"));
    for (const QByteArray &block : {QByteArray(85, '\x01'), QByteArray(84, '\xFF'), QByteArray()}) {
        auto *data = new QMimeData;
        data->setData(QString::fromLatin1(clipboard::kGlyphMime), block);
        QApplication::clipboard()->setMimeData(data);
        row1()->OnCommand(rowcmd::kPasteGlyphs);
        EXPECT_EQ(text(0), "x");
    }
}

TEST_F(InputChrWndTest, RandomGlyphDataNeverBreaksTheRow)
{
    uint32_t seed = 2026;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 200; ++round) {
        QByteArray block(qsizetype(84 * (1 + next() % 4)), '\0');
        for (char &byte : block)
            byte = char(next());
        // Sometimes a plausible width and height, so that some records get drawn.
        if (round % 2 == 0) {
            const int32_t width = int32_t(next() % 40), height = int32_t(next() % 20);
            std::memcpy(block.data() + 2, &width, 4);
            std::memcpy(block.data() + 6, &height, 4);
        }
        auto *data = new QMimeData;
        data->setData(QString::fromLatin1(clipboard::kGlyphMime), block);
        QApplication::clipboard()->setMimeData(data);
        row1()->OnCommand(rowcmd::kPasteGlyphs);
        const RowModel &row = row1()->row();
        ASSERT_LE(row.usedWidth(), row.rowWidth());
        for (int i = 0; i < row.n(); ++i)
            ASSERT_GT(int(row.entry(i).width), 0);
        row1()->grab();
        if (round % 10 == 9)
            row1()->row().ClearRow();
    }
}

TEST_F(InputChrWndTest, ContextMenuTextsAndEnabledStates)
{
    QApplication::clipboard()->clear();
    const auto states = [this] {
        QMenu menu;
        row1()->fillContextMenu(menu);
        QStringList out;
        for (QAction *action : menu.actions()) {
            if (!action->isSeparator())
                out << action->text() + (action->isEnabled() ? "+" : "-");
        }
        return out;
    };
    EXPECT_EQ(states(), QStringList({"Undo-", "Redo-", "Cut-", "Copy-", "Paste Graph-", "Paste Text-",
                                     "Delete-", "Select All-", "Insert picture…+"}));
    type(0, QStringLiteral("ab"));
    row1()->OnCommand(rowcmd::kSelectAll);
    row1()->OnCommand(rowcmd::kCopy);
    EXPECT_EQ(states(), QStringList({"Undo+", "Redo-", "Cut+", "Copy+", "Paste Graph+", "Paste Text+",
                                     "Delete+", "Select All-", "Insert picture…+"}));
    settings.languages.setCurrentIndex(1);
    EXPECT_EQ(states().first(), QString::fromUtf16(u"撤消+"));
    EXPECT_EQ(states().last(), QString::fromUtf16(u"插入图片…+"));
}

TEST_F(InputChrWndTest, MouseClickShiftClickDragAndDoubleClick)
{
    type(0, QStringLiteral("abcdef"));  // 8 columns each in a 16-LED row
    const int left = row1()->row().textRect(row1()->width(), row1()->height()).left;
    const auto at = [left](int column) { return QPoint(left + column, 12); };

    QTest::mouseClick(row1(), Qt::LeftButton, Qt::NoModifier, at(17));
    EXPECT_EQ(row1()->row().caretIndex(), 2);
    EXPECT_FALSE(row1()->row().hasSelection());
    QTest::mouseClick(row1(), Qt::LeftButton, Qt::ShiftModifier, at(35));
    EXPECT_EQ(row1()->row().anchor(), 2);
    EXPECT_EQ(row1()->row().selectionEnd(), 4);
    QTest::mouseClick(row1(), Qt::LeftButton, Qt::NoModifier, at(1));
    EXPECT_FALSE(row1()->row().hasSelection());
    EXPECT_EQ(row1()->row().caretIndex(), 0);

    QTest::mousePress(row1(), Qt::LeftButton, Qt::NoModifier, at(9));
    QMouseEvent move(QEvent::MouseMove, at(41), row1()->mapToGlobal(at(41)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(row1(), &move);
    QTest::mouseRelease(row1(), Qt::LeftButton, Qt::NoModifier, at(41));
    EXPECT_EQ(row1()->row().anchor(), 1);
    EXPECT_EQ(row1()->row().selectionEnd(), 5);

    QTest::mouseDClick(row1(), Qt::LeftButton, Qt::NoModifier, at(3));
    EXPECT_EQ(row1()->row().anchor(), 0);
    EXPECT_EQ(row1()->row().selectionEnd(), 6);
    EXPECT_EQ(row1()->row().caretIndex(), 6);
}

TEST_F(InputChrWndTest, AccessibleNamesAndValue)
{
    type(0, QStringLiteral("Hi"));
    EXPECT_EQ(row1()->accessibleName(), "Row 1");
    EXPECT_EQ(rowWindow(11)->accessibleName(), "Row 12");
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(row1());
    ASSERT_TRUE(access);
    EXPECT_EQ(access->text(QAccessible::Value), "Hi");
    EXPECT_EQ(access->text(QAccessible::Name), "Row 1");
}

} // namespace
} // namespace tessivo::test
