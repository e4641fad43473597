// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor's canvas in the main window under the event orders of a real desktop:
// a menu that takes a press's release, quick double clicks, a press where a drag ended,
// the focus taken mid-stroke, the keys and the wheel, and the window's size across runs.

#include "support/DialogFixture.h"

#include "editor/EditChrView.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"

#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace tessivo::test {
namespace {

using namespace editor;

class CanvasGestureTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        type(0, QStringLiteral("ABCD"));
        QTest::mouseClick(control<QWidget>(3212), Qt::LeftButton);
    }
    CMakeChrWnd *window() { return dialog->editorWindow(); }
    GlyphEditor &editor() { return window()->editor(); }
    CEditChrView *canvas() { return window()->canvas(); }
    QWidget *viewport() { return canvas()->viewport(); }
    QPoint at(int x, int y)
    {
        return editor().layout().squaresOf(QRect(x, y, 1, 1)).center() - canvas()->GetDeviceScrollPosition();
    }
    /// A mouse event straight to the canvas, as the window system delivers it.
    void send(QEvent::Type type, QPoint point, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(point), viewport()->mapToGlobal(QPointF(point)), button, held, modifiers);
        QApplication::sendEvent(viewport(), &event);
    }
    void pick(int command) { QTest::mouseClick(window()->toolButton(command), Qt::LeftButton); }
    /// A selection dragged from one board pixel to another.
    void select(QPoint from, QPoint to)
    {
        pick(kCmdSelect);
        send(QEvent::MouseMove, at(from.x(), from.y()), Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, at(from.x(), from.y()), Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, at(to.x(), to.y()), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, at(to.x(), to.y()), Qt::LeftButton, Qt::NoButton);
    }
    MonoImage rowPixels() { return document.row(0).rowImage(); }
};

} // namespace

TEST_F(CanvasGestureTest, AMenuThatTookTheReleaseLeavesNoDragBehind)
{
    pick(kCmdFilledRectangle);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, at(2, 2));
    QTest::mouseMove(viewport(), at(6, 10));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, at(6, 10));
    const MonoImage drawn = rowPixels();
    ASSERT_TRUE(drawn.pixel(4, 6));
    select({1, 1}, {8, 12});
    ASSERT_TRUE(editor().hasSelection());

    // The right press over the selection opens its menu; the menu closes at once and the
    // release never comes to the canvas.
    bool menuShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    send(QEvent::MouseButtonPress, at(4, 6), Qt::RightButton, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at(4, 6), viewport()->mapToGlobal(at(4, 6)));
    QApplication::sendEvent(viewport(), &menu);
    EXPECT_TRUE(menuShown);
    EXPECT_FALSE(editor().gestureActive());
    for (int x = 0; x < 30; x += 3)
        send(QEvent::MouseMove, at(x, 12), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(editor().selectionRect(), QRect(QPoint(1, 1), QPoint(8, 12)));
    QTest::keyClick(canvas(), Qt::Key_Escape);
    for (int x = 0; x < 30; x += 3)
        send(QEvent::MouseMove, at(x, 3), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(rowPixels(), drawn);
}

TEST_F(CanvasGestureTest, AQuickSecondClickDrawsToo)
{
    // The window system turns the second press into a double click.
    send(QEvent::MouseButtonPress, at(3, 3), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(3, 3), Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, at(4, 3), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(4, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(rowPixels().pixel(3, 3));
    EXPECT_TRUE(rowPixels().pixel(4, 3));
    send(QEvent::MouseButtonDblClick, at(3, 3), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, at(3, 3), Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(rowPixels().pixel(3, 3));
}

TEST_F(CanvasGestureTest, APressWhereADragEndedMovesTheSelectionAgain)
{
    pick(kCmdPencil);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, at(3, 3));
    select({2, 2}, {5, 5});
    const QPoint grab = at(3, 3), step(4 * editor().layout().cellSize, 0);
    send(QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, grab + step, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grab + step, Qt::LeftButton, Qt::NoButton);
    // A pen lifted and put down again on the same spot.
    send(QEvent::MouseButtonPress, grab + step, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, grab + step + step, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grab + step + step, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(editor().selectionRect(), QRect(10, 2, 4, 4));
    EXPECT_TRUE(rowPixels().pixel(11, 3));
    EXPECT_FALSE(rowPixels().pixel(3, 3));
}

TEST_F(CanvasGestureTest, TheFocusTakenMidStrokeEndsTheStroke)
{
    pick(kCmdLine);
    const MonoImage before = rowPixels();
    send(QEvent::MouseButtonPress, at(1, 8), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, at(20, 8), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(editor().gestureActive());
    // The user clicks into the main window: the editor's window loses the focus.
    window()->activateWindow();
    QApplication::setActiveWindow(window());
    canvas()->setFocus();
    QApplication::setActiveWindow(dialog.get());
    rowWindow(0)->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(editor().gestureActive());
    send(QEvent::MouseButtonRelease, at(20, 8), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(rowPixels(), before) << "no line, and no preview left in the row";
    const QRect used = editor().layout().usedArea();
    for (int y = used.top(); y <= used.bottom(); ++y)
        for (int x = used.left(); x <= used.right(); ++x)
            ASSERT_EQ(editor().board().pixel(x, y), before.pixel(x, y)) << x << "," << y;
}

TEST_F(CanvasGestureTest, KeysAndTheWheel)
{
    canvas()->setFocus();
    QTest::keyClick(canvas(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor().tool(), kSelect);
    EXPECT_TRUE(window()->toolButton(kCmdSelect)->isChecked());
    EXPECT_EQ(editor().selectionRect(), editor().layout().usedArea());
    QTest::keyClick(canvas(), Qt::Key_Escape);
    select({2, 2}, {5, 5});
    QTest::keyClick(canvas(), Qt::Key_Right);
    QTest::keyClick(canvas(), Qt::Key_Down);
    EXPECT_EQ(editor().selectionRect(), QRect(3, 3, 4, 4));

    const int before = editor().layout().cellSize;
    QWheelEvent wheel(QPointF(at(3, 3)), viewport()->mapToGlobal(QPointF(at(3, 3))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_GT(editor().layout().cellSize, before);
}

TEST_F(CanvasGestureTest, ShiftHeldDrawsAStraightLine)
{
    pick(kCmdLine);
    send(QEvent::MouseButtonPress, at(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseMove, at(15, 4), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, at(15, 4), Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    for (int x = 2; x <= 15; ++x)
        EXPECT_TRUE(rowPixels().pixel(x, 2)) << x;
    EXPECT_FALSE(rowPixels().pixel(15, 4));
}

TEST_F(CanvasGestureTest, TheEditorOpensAtTheSizeItWasLeftAt)
{
    // Three runs: each opens the editor at the size the last one saved.
    for (int run = 0; run < 3; ++run) {
        if (run == 0) {
            settings.MakeChrWndCx = 612;
            settings.MakeChrWndCy = 340;
        }
        makeDialog();
        type(0, QStringLiteral("AB"));
        QTest::mouseClick(control<QWidget>(3212), Qt::LeftButton);
        EXPECT_EQ(window()->frameGeometry().size(), QSize(612, 340)) << run;
        dialog->OnExit();
        EXPECT_EQ(settings.MakeChrWndCx, 612) << run;
        EXPECT_EQ(settings.MakeChrWndCy, 340) << run;
    }
}

TEST_F(CanvasGestureTest, PicturesOfASelectionAtEachEdgeOfTheBoard)
{
    const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS");
    const int right = editor().layout().boardWidth - 1, bottom = editor().layout().boardHeight - 1;
    pick(kCmdFilledEllipse);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, at(1, 1));
    QTest::mouseMove(viewport(), at(right - 1, bottom - 1));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, at(right - 1, bottom - 1));
    const struct {
        const char *name;
        QPoint from, to;
    } edges[] = {{"top-left", {0, 0}, {6, 6}},
                 {"top-right", {right - 6, 0}, {right, 6}},
                 {"bottom-left", {0, bottom - 6}, {6, bottom}},
                 {"bottom-right", {right - 6, bottom - 6}, {right, bottom}}};
    for (int language : {0, 1}) {
        settings.setLanguage(language);
        for (const auto &edge : edges) {
            select(edge.from, edge.to);
            ASSERT_TRUE(editor().hasSelection()) << edge.name;
            // Every handle of the selection can be reached on the canvas.
            for (const QRect &handle : editor().handleAreas()) {
                EXPECT_GE(handle.left(), 0) << edge.name;
                EXPECT_GE(handle.top(), 0) << edge.name;
            }
            const QImage shot = window()->grab().toImage();
            EXPECT_FALSE(shot.isNull());
            if (!out.isEmpty())
                shot.save(QString::fromLocal8Bit(out) +
                          QStringLiteral("/editor-edge-%1-%2.png").arg(edge.name, language == 0 ? "en" : "zh"));
            QTest::keyClick(canvas(), Qt::Key_Escape);
        }
    }
}

} // namespace tessivo::test
