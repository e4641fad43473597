// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor canvas's selection frame, context menus, keys and clipboard, in the main
// window.

#include "support/DialogFixture.h"

#include "editor/EditChrView.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"

#include <QClipboard>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace tessivo::test {
namespace {

using namespace editor;

class CanvasMenuTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        type(0, QStringLiteral("AB"));
        QTest::mouseClick(control<QWidget>(3212), Qt::LeftButton);
    }
    CMakeChrWnd *window() { return dialog->editorWindow(); }
    GlyphEditor &editor() { return window()->editor(); }
    CEditChrView *canvas() { return window()->canvas(); }
    QPoint at(int x, int y)
    {
        return editor().layout().squaresOf(QRect(x, y, 1, 1)).center() - canvas()->GetDeviceScrollPosition();
    }
    /// The menu's items as "text" (greyed items end in "-", checked ones in "*"),
    /// sub-menus as "text>" followed by their items.
    QStringList itemsOf(QMenu &menu)
    {
        QStringList out;
        for (QAction *action : menu.actions()) {
            if (action->isSeparator()) {
                out << "|";
            } else if (action->menu()) {
                out << action->text() + ">";
                for (QAction *sub : action->menu()->actions())
                    out << "  " + sub->text() + (sub->isChecked() ? "*" : "");
            } else {
                out << action->text() + (action->isEnabled() ? "" : "-");
            }
        }
        return out;
    }
    QStringList menuAt(QPoint viewportPoint)
    {
        QMenu menu;
        if (!canvas()->fillContextMenu(menu, canvas()->contentPoint(viewportPoint)))
            return {};
        return itemsOf(menu);
    }
    void selectBoard(QPoint from, QPoint to)
    {
        QTest::mouseClick(window()->toolButton(kCmdSelect), Qt::LeftButton);
        QTest::mouseMove(canvas()->viewport(), from);
        QTest::mousePress(canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(canvas()->viewport(), to);
        QTest::mouseRelease(canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    }
};

TEST_F(CanvasMenuTest, NoMenuOnTheBoardWithADrawingToolAndPop1BesideIt)
{
    EXPECT_TRUE(menuAt(at(3, 3)).isEmpty());
    EXPECT_EQ(menuAt(at(3, 3) + QPoint(400, 0)),
              QStringList({"Undo-", "Redo-", "|", "Paste-", "|", "Grid Size>", "  4x4", "  6x6*", "  8x8",
                           "  10x10", "Clear All", "Add 16 blank columns"}));
}

TEST_F(CanvasMenuTest, TheSelectToolOffersPop2AndOverASelectionPop3)
{
    selectBoard(at(1, 1), at(6, 6));
    ASSERT_TRUE(editor().hasSelection());
    EXPECT_EQ(menuAt(at(12, 12)), QStringList({"Undo-", "Redo-", "|", "Paste-", "|", "Select All", "|",
                                               "Grid Size>", "  4x4", "  6x6*", "  8x8", "  10x10", "Clear All",
                                               "Add 16 blank columns"}));
    EXPECT_EQ(menuAt(at(3, 3)),
              QStringList({"Undo-", "Redo-", "|", "Cut", "Copy", "Paste-", "Delete", "|", "Select All", "|",
                           "Rotate>", "  Left Rotate 90", "  Right Rotate 90", "  Rotate 180", "Mirror>",
                           "  Horizontal Mirror", "  Vertical Mirror", "Inverse Color", "Hollow"}));
    // In Chinese the texts come from that language.
    settings.setLanguage(1);
    const QStringList zh = menuAt(at(3, 3));
    EXPECT_EQ(zh.first(), QString::fromUtf16(u"撤消-"));
    EXPECT_TRUE(zh.contains(QString::fromUtf16(u"旋转>")));
    EXPECT_TRUE(zh.contains(QString::fromUtf16(u"  左转90度")));
}

TEST_F(CanvasMenuTest, CopyPutsAPictureOnTheClipboardThatPasteTakesBack)
{
    selectBoard(at(0, 0), at(7, 15));
    QTest::keyClick(canvas(), Qt::Key_C, Qt::ControlModifier);
    const QImage picture = QApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(8, 16));
    // Paste with the pencil switches to the select tool.
    QTest::mouseClick(window()->toolButton(kCmdPencil), Qt::LeftButton);
    QTest::keyClick(canvas(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor().tool(), kSelect);
    EXPECT_TRUE(window()->toolButton(kCmdSelect)->isChecked());
    EXPECT_EQ(editor().selectionSize(), QSize(8, 16));
    // Delete takes the floating copy away; Ctrl+Z brings the board back.
    const MonoImage withCopy = editor().board();
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_FALSE(editor().hasSelection());
    QTest::keyClick(canvas(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(canvas(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(document.modified());
}

TEST_F(CanvasMenuTest, TheMenuKeyOpensTheMenuAtTheSelectionOrAtTheBoardsCorner)
{
    // What the menu key opens, where: the menu's first item's text and its top left
    // against the canvas's content.
    const auto keyboardMenu = [this] {
        std::pair<QString, QPoint> seen;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                seen = {menu->accessibleName(), canvas()->viewport()->mapFromGlobal(menu->pos())};
                menu->close();
            }
        });
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), canvas()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(canvas(), &keyboard);
        return seen;
    };
    const QPoint corner = editor().layout().squaresOf(QRect(0, 0, 1, 1)).topLeft() - canvas()->GetDeviceScrollPosition();
    // With a drawing tool the board's own menu (Pop1) opens at its corner.
    EXPECT_EQ(keyboardMenu(), std::pair(QStringLiteral("Board menu"), corner));
    EXPECT_EQ(editor().keyboardMenu().first, Menu::Pop1);
    // With a selection, its menu at its middle.
    selectBoard(at(1, 1), at(6, 6));
    ASSERT_TRUE(editor().hasSelection());
    EXPECT_EQ(editor().keyboardMenu().first, Menu::Pop3);
    EXPECT_EQ(keyboardMenu().second, editor().rubberRect().center() - canvas()->GetDeviceScrollPosition());
    EXPECT_TRUE(editor().hasSelection());
}

TEST_F(CanvasMenuTest, AMouseMenuWhereNoneAppliesLeavesTheRightButtonsStrokeDrawing)
{
    // X11 sends the menu event with the right press: on the board with the pencil there
    // is no menu, so the stroke the press began goes on.
    const QPoint p = at(3, 3);
    QTest::mouseMove(canvas()->viewport(), p);
    QTest::mousePress(canvas()->viewport(), Qt::RightButton, Qt::NoModifier, p);
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, p, canvas()->viewport()->mapToGlobal(p));
    QApplication::sendEvent(canvas(), &mouse);
    EXPECT_TRUE(editor().gestureActive());
    QTest::mouseMove(canvas()->viewport(), at(8, 3));
    QTest::mouseRelease(canvas()->viewport(), Qt::RightButton, Qt::NoModifier, at(8, 3));
    EXPECT_FALSE(editor().gestureActive());
    EXPECT_TRUE(QApplication::activePopupWidget() == nullptr);
}

TEST_F(CanvasMenuTest, PicturesOfTheSelectionFrameAndTheMenus)
{
    const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS");
    editor().SetGridSize(10);
    selectBoard(at(2, 3), at(9, 12));
    const QImage frame = window()->grab().toImage();
    // The frame's light yellow is on the canvas.
    bool yellow = false;
    for (int y = 0; y < frame.height() && !yellow; ++y)
        for (int x = 0; x < frame.width() && !yellow; ++x)
            yellow = frame.pixel(x, y) == qRgb(0xFF, 0xFF, 0xA3);
    EXPECT_TRUE(yellow);
    if (!out.isEmpty())
        frame.save(QString::fromLocal8Bit(out) + "/editor-selection.png");
    for (int language : {0, 1}) {
        settings.setLanguage(language);
        for (const auto &[name, point] : {std::pair{"pop2", at(20, 10)}, std::pair{"pop3", at(5, 5)}}) {
            QMenu menu;
            ASSERT_TRUE(canvas()->fillContextMenu(menu, canvas()->contentPoint(point)));
            menu.popup(canvas()->mapToGlobal(point));
            QApplication::processEvents();
            if (!out.isEmpty())
                menu.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/editor-%1-%2.png").arg(name).arg(language));
            menu.hide();
        }
    }
}

} // namespace
} // namespace tessivo::test
