// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor's selection, history, clipboard pictures, transformations, grid
// sizes and menus, on the model alone.

#include "editor/EditorFixture.h"

#include <QPainter>
#include <set>

namespace tessivo {
namespace {

using namespace editor;

class SelectionTest : public EditorFixture {
protected:
    /// Hovers a point, then drags with the left button to another.
    void hoverDrag(QPoint from, QPoint to, Button button = Button::Left)
    {
        editor.Move(from, false, false);
        editor.Press(from, button);
        editor.Move(to, button == Button::Left, button == Button::Right);
        editor.Release(to, button);
    }
    std::set<std::pair<int, int>> inkPixels() const
    {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < editor.layout().boardHeight; ++y)
            for (int x = 0; x < editor.layout().boardWidth; ++x)
                if (editor.board().pixel(x, y))
                    out.insert({x, y});
        return out;
    }
    QPoint centreOf(const QRect &pixels) const { return editor.layout().squaresOf(pixels).center(); }
};

// ---- history ----

TEST_F(SelectionTest, SixGesturesAndSixUndosGoBackFiveSteps)
{
    std::vector<MonoImage> after;
    for (int i = 0; i < 6; ++i) {
        click(i * 3, 2);
        after.push_back(editor.board());
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(editor.UndoBoard()) << i;
    EXPECT_FALSE(editor.UndoBoard());
    EXPECT_EQ(editor.board(), after[0]);
    EXPECT_TRUE(boardMatchesRow());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(editor.RedoBoard());
    EXPECT_EQ(editor.board(), after[5]);
    EXPECT_FALSE(editor.RedoBoard());
}

TEST_F(SelectionTest, ANewGestureAfterAnUndoForgetsTheRedoSteps)
{
    click(1, 1);
    click(2, 2);
    editor.UndoBoard();
    click(3, 3);
    EXPECT_FALSE(editor.RedoBoard());
    EXPECT_EQ(inkPixels(), (std::set<std::pair<int, int>>{{1, 1}, {3, 3}}));
}

TEST_F(SelectionTest, NoSlotServesTwoLiveSteps)
{
    const auto check = [this] {
        std::vector<int> live = editor.history().undoSlots();
        live.insert(live.end(), editor.history().redoSlots().begin(), editor.history().redoSlots().end());
        std::set<int> unique(live.begin(), live.end());
        EXPECT_EQ(unique.size(), live.size());
        EXPECT_LE(live.size(), 5u);
    };
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 7; ++i) {
            click(i, round);
            check();
        }
        for (int i = 0; i < round + 1; ++i) {
            editor.UndoBoard();
            check();
        }
        editor.RedoBoard();
        check();
    }
}

// ---- making, moving and resizing a selection ----

TEST_F(SelectionTest, ADragWithinOnePixelMakesNoSelectionAndOneOfTwoPixelsDoes)
{
    select(QRect(5, 5, 1, 1));
    EXPECT_FALSE(editor.hasSelection());
    select(QRect(5, 5, 1, 2));
    EXPECT_TRUE(editor.hasSelection());
    EXPECT_EQ(editor.selectionRect(), QRect(5, 5, 1, 2));
}

TEST_F(SelectionTest, ADragPastTheBoardsEdgesIsClampedToIt)
{
    editor.OnCommand(kCmdSelect);
    editor.Move(at(30, 10), false, false);
    editor.Press(at(30, 10), Button::Left);
    editor.Move(at(60, 40), true, false);
    editor.Release(at(60, 40), Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(QPoint(30, 10), QPoint(39, 15)));
}

TEST_F(SelectionTest, MovingLeavesTheBackgroundAndCanGoOffTheBoardAndBack)
{
    ink({{2, 2}, {3, 2}, {2, 3}});
    select(QRect(1, 1, 4, 4));
    const std::set<std::pair<int, int>> before = inkPixels();
    const QPoint grab = centreOf(QRect(2, 2, 1, 1));
    // Moved by 10 squares: the ink moves, paper stays where it was lifted from.
    hoverDrag(grab, grab + QPoint(60, 0));
    EXPECT_EQ(editor.selectionRect().topLeft(), QPoint(11, 1));
    EXPECT_EQ(inkPixels(), (std::set<std::pair<int, int>>{{12, 2}, {13, 2}, {12, 3}}));
    EXPECT_TRUE(boardMatchesRow());
    // Far off the board it stays next to it; back again its pixels survive.
    const QRect placed = editor.rubberRect();
    const QPoint now = centreOf(QRect(12, 2, 1, 1));
    hoverDrag(now, now + QPoint(-1000, 0));
    EXPECT_EQ(editor.selectionRect().right(), -1);
    EXPECT_EQ(editor.rubberRect(), editor.layout().squaresOf(editor.selectionRect()));
    EXPECT_TRUE(inkPixels().empty());
    const QPoint grabOff = editor.layout().squaresOf(editor.selectionRect()).center();
    editor.Move(grabOff, false, false);
    ASSERT_EQ(editor.menuAt(grabOff), Menu::Pop3) << "the pointer is over the selection";
    hoverDrag(grabOff, grabOff + (placed.topLeft() - editor.rubberRect().topLeft()));
    EXPECT_EQ(editor.selectionRect().topLeft(), QPoint(11, 1));
    editor.DropSelection();
    EXPECT_EQ(inkPixels(), (std::set<std::pair<int, int>>{{12, 2}, {13, 2}, {12, 3}}));
    EXPECT_EQ(inkPixels().size(), before.size());
}

TEST_F(SelectionTest, APastedSelectionMovedAwayShowsTheOldPixels)
{
    ink({{5, 5}});
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(editor.PasteBitmap(picture, QPoint(4 * 6, 4 * 6)));
    EXPECT_EQ(editor.selectionRect(), QRect(4, 4, 2, 2));
    const QPoint grab = centreOf(QRect(4, 4, 1, 1));
    hoverDrag(grab, grab + QPoint(60, 0));
    EXPECT_TRUE(editor.board().pixel(5, 5)) << "the pixel under the paste shows again";
    EXPECT_TRUE(editor.board().pixel(14, 4));
}

TEST_F(SelectionTest, TransparentModeStampsOnlyTheInk)
{
    ink({{10, 10}, {11, 10}});
    editor.OnCommand(kCmdPencil);
    ink({{2, 2}});
    select(QRect(1, 1, 3, 3));  // ink at its middle, paper around
    editor.OnCommand(kCmdTransparent);
    const QPoint grab = centreOf(QRect(2, 2, 1, 1));
    hoverDrag(grab, grab + QPoint(8 * 6, 8 * 6));  // over (10, 10)
    EXPECT_TRUE(editor.board().pixel(10, 10));
    EXPECT_TRUE(editor.board().pixel(11, 10)) << "paper of the selection lets the board show";
    // Back to opaque: the board is recomposed at once and paper covers.
    editor.OnCommand(kCmdOpaque);
    EXPECT_FALSE(editor.board().pixel(11, 10));
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(SelectionTest, ResizingByTheTopLeftHandleKeepsTheOppositeCorner)
{
    ink({{10, 5}, {13, 8}});
    select(QRect(10, 5, 4, 4));
    const QRect squares = editor.layout().squaresOf(editor.selectionRect());
    // The top-left handle (just outside the squares, which move the selection), dragged
    // two squares up and left.
    const QPoint handle = squares.topLeft() - QPoint(1, 1);
    ASSERT_EQ(editor.handleAt(handle), 0);
    hoverDrag(handle, centreOf(QRect(8, 3, 1, 1)));
    EXPECT_EQ(editor.selectionRect(), QRect(QPoint(8, 3), QPoint(13, 8)));
    EXPECT_TRUE(editor.board().pixel(13, 8));
    // Dragged past the bottom-right corner, the rectangle turns over.
    const QRect now = editor.layout().squaresOf(editor.selectionRect());
    hoverDrag(now.topLeft() - QPoint(1, 1), now.bottomRight() + QPoint(13, 13));
    EXPECT_EQ(editor.selectionRect(), QRect(QPoint(13, 8), QPoint(16, 11)));
}

TEST_F(SelectionTest, HalvingAWidthKeepsEveryInkColumn)
{
    for (int x = 0; x < 8; x += 2)
        ink({{x, 0}});  // ink in every other column
    select(QRect(0, 0, 8, 2));
    const QRect squares = editor.layout().squaresOf(editor.selectionRect());
    const QPoint rightHandle(squares.right() + 1, (squares.top() + squares.bottom() + 1) / 2);
    ASSERT_EQ(editor.handleAt(rightHandle), 7);
    hoverDrag(rightHandle, QPoint(4 * 6 - 1, rightHandle.y()));  // the right edge on column 3
    EXPECT_EQ(editor.selectionSize(), QSize(4, 2));
    for (int x = 0; x < 4; ++x)
        EXPECT_TRUE(editor.board().pixel(x, 0)) << x;
}

TEST_F(SelectionTest, AResizeNeverGrowsPastTheFloatingImage)
{
    ink({{1, 1}});
    select(QRect(0, 0, 4, 4));
    const QRect squares = editor.layout().squaresOf(editor.selectionRect());
    hoverDrag(squares.bottomRight() + QPoint(1, 1), squares.bottomRight() + QPoint(100000, 100000));
    EXPECT_LE(editor.selectionSize().width(), editor.floatImage().width());
    EXPECT_LE(editor.selectionSize().height(), editor.floatImage().height());
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(SelectionTest, EveryChangeOfOneSelectionIsOneUndoStep)
{
    ink({{3, 3}});
    const MonoImage before = editor.board();
    const int steps = editor.history().undoCount();
    select(QRect(2, 2, 3, 3));
    const QPoint grab = centreOf(QRect(3, 3, 1, 1));
    hoverDrag(grab, grab + QPoint(12, 0));
    editor.TransformSelection(Transform::Invert);
    const QRect squares = editor.layout().squaresOf(editor.selectionRect());
    hoverDrag(squares.bottomRight() + QPoint(1, 1), squares.bottomRight() + QPoint(13, 13));
    EXPECT_EQ(editor.history().undoCount(), steps + 1);
    editor.UndoBoard();
    EXPECT_EQ(editor.board(), before);
    EXPECT_TRUE(boardMatchesRow());
}

// ---- transformations ----

TEST_F(SelectionTest, FourLeftTurnsOfA5By3SelectionGiveItBack)
{
    ink({{10, 4}, {11, 4}, {14, 6}, {12, 5}});
    select(QRect(10, 4, 5, 3));
    const std::set<std::pair<int, int>> before = inkPixels();
    editor.TransformSelection(Transform::TurnLeft);
    EXPECT_EQ(editor.selectionRect(), QRect(10, 4, 3, 5));
    // New (j, w - 1 - i) = old (i, j): (0, 0) goes to (0, 4), (4, 2) to (2, 0).
    EXPECT_TRUE(editor.board().pixel(10, 8));
    EXPECT_TRUE(editor.board().pixel(12, 4));
    for (int turn = 0; turn < 3; ++turn)
        editor.TransformSelection(Transform::TurnLeft);
    EXPECT_EQ(editor.selectionRect(), QRect(10, 4, 5, 3));
    EXPECT_EQ(inkPixels(), before);
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(SelectionTest, HollowingAFilledSquareLeavesItsRing)
{
    editor.OnCommand(kCmdFilledRectangle);
    drag({11, 6}, {13, 8});
    select(QRect(10, 5, 5, 5));
    editor.TransformSelection(Transform::Hollow);
    EXPECT_EQ(inkPixels().size(), 16u);
    EXPECT_FALSE(editor.board().pixel(12, 7));
    EXPECT_TRUE(editor.board().pixel(10, 5));
    // A one-pixel line gives the pixels beside it; ink at the border cannot grow out.
    editor.DropSelection();
    editor.ClearBoard();
    editor.OnCommand(kCmdLine);
    drag({20, 5}, {24, 5});
    select(QRect(20, 4, 5, 3));
    editor.TransformSelection(Transform::Hollow);
    EXPECT_EQ(inkPixels().size(), 10u);
    EXPECT_FALSE(editor.board().pixel(19, 4));
}

TEST_F(SelectionTest, InvertingTwiceRestoresAndMirrorsAndHalfTurnsMapEdges)
{
    ink({{20, 4}, {21, 5}});
    select(QRect(20, 4, 4, 3));
    const std::set<std::pair<int, int>> before = inkPixels();
    editor.TransformSelection(Transform::Invert);
    EXPECT_EQ(inkPixels().size(), 12u - 2);
    editor.TransformSelection(Transform::Invert);
    EXPECT_EQ(inkPixels(), before);
    editor.TransformSelection(Transform::MirrorHorizontal);
    EXPECT_TRUE(editor.board().pixel(23, 4));
    editor.TransformSelection(Transform::MirrorVertical);
    EXPECT_TRUE(editor.board().pixel(23, 6));
    editor.TransformSelection(Transform::Turn180);
    EXPECT_EQ(inkPixels(), before);
}

TEST_F(SelectionTest, AFullBoardSelectionTurnedKeepsEveryPixelInsideTheImages)
{
    editor.OnCommand(kCmdFilledRectangle);
    drag({0, 0}, {39, 15});
    editor.SelectAll();
    editor.TransformSelection(Transform::TurnRight);
    EXPECT_EQ(editor.selectionSize(), QSize(16, 40));
    editor.TransformSelection(Transform::TurnLeft);
    EXPECT_EQ(editor.selectionSize(), QSize(40, 16));
    EXPECT_EQ(int(inkPixels().size()), 40 * 16);
    EXPECT_TRUE(boardMatchesRow());
}

// ---- clipboard pictures ----

TEST_F(SelectionTest, PastedPicturesTakeDarkOpaquePixelsAsInk)
{
    // Paper: white, light grey and mid-grey, and anything less than half opaque (a
    // transparent background, black or not). Ink: what is darker, and opaque enough.
    QImage picture(8, 1, QImage::Format_ARGB32);
    const QRgb pixels[8] = {qRgb(255, 255, 255), qRgb(128, 128, 128), qRgb(254, 255, 255), qRgba(0, 0, 0, 0),
                            qRgba(0, 0, 0, 127), qRgb(127, 127, 127), qRgba(0, 0, 0, 128), qRgb(0, 0, 0)};
    for (int x = 0; x < 8; ++x)
        picture.setPixel(x, 0, pixels[x]);
    editor.PasteBitmap(picture, {});
    const bool expected[8] = {false, false, false, false, false, true, true, true};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(editor.board().pixel(x, 0), expected[x]) << x;
    EXPECT_TRUE(boardMatchesRow()) << "a paste reaches the row at once";
}

TEST_F(SelectionTest, AnAntiAliasedPictureKeepsItsShapeAndOurOwnCopiesComeBackUnchanged)
{
    // A black disc drawn with anti-aliasing on a transparent background.
    QImage disc(12, 12, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    {
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(1, 1, 10, 10));
    }
    editor.PasteBitmap(disc, {});
    EXPECT_TRUE(editor.board().pixel(6, 6));
    EXPECT_FALSE(editor.board().pixel(0, 0)) << "the transparent corner is paper";
    EXPECT_FALSE(editor.board().pixel(11, 11));
    editor.DropSelection();
    editor.ClearBoard();

    // What the editor copies pastes back pixel for pixel.
    ink({{20, 3}, {21, 4}, {23, 4}});
    select(QRect(19, 2, 6, 4));
    QImage copied;
    editor.OnCanvasCommand(kCmdCopy, {}, {}, &copied);
    const MonoImage before = editor.board();
    editor.DropSelection();
    editor.OnCommand(kCmdPencil);
    editor.ClearBoard();
    editor.PasteBitmap(copied, editor.layout().squaresOf(QRect(19, 2, 1, 1)).topLeft());
    EXPECT_EQ(editor.board(), before);
}

TEST_F(SelectionTest, PastingWithThePencilFloatsAtTheTopLeftOfWhatIsVisible)
{
    ASSERT_EQ(editor.tool(), kPencil);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::black);
    // Scrolled 10 squares (and a bit) to the right.
    editor.PasteBitmap(picture, QPoint(10 * 6 + 3, 0));
    EXPECT_EQ(editor.tool(), kSelect);
    EXPECT_EQ(editor.selectionRect(), QRect(10, 0, 2, 2));
    // A picture larger than the board image is cut to it.
    QImage huge(500, 100, QImage::Format_RGB32);
    huge.fill(Qt::black);
    editor.PasteBitmap(huge, {});
    EXPECT_EQ(editor.selectionSize(), QSize(180, 32));
    EXPECT_EQ(int(inkPixels().size()), 40 * 16);
    EXPECT_TRUE(boardMatchesRow());
    // Nothing for an empty picture or an empty board.
    EXPECT_FALSE(editor.PasteBitmap(QImage(), {}));
}

TEST_F(SelectionTest, CopyThenPasteFloatsACopyOnTopOfItself)
{
    ink({{0, 0}, {1, 1}});
    select(QRect(0, 0, 2, 2));
    QImage copied;
    ASSERT_TRUE(editor.OnCanvasCommand(kCmdCopy, {}, {}, &copied));
    EXPECT_EQ(copied.size(), QSize(2, 2));
    EXPECT_EQ(copied.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(copied.pixel(1, 0), qRgb(255, 255, 255));
    const std::set<std::pair<int, int>> before = inkPixels();
    editor.OnCanvasCommand(kCmdPaste, {}, copied, nullptr);
    EXPECT_EQ(editor.selectionRect(), QRect(0, 0, 2, 2));
    EXPECT_EQ(inkPixels(), before);
    // Cut takes the selection away.
    editor.OnCanvasCommand(kCmdCut, {}, {}, &copied);
    EXPECT_FALSE(editor.hasSelection());
}

// ---- menus, keys and grid sizes ----

TEST_F(SelectionTest, TheMenusOfferedByToolAndPlace)
{
    EXPECT_EQ(editor.menuAt(at(5, 5)), Menu::None);  // drawing tools: the right button draws
    EXPECT_EQ(editor.menuAt(at(5, 5) + QPoint(1000, 0)), Menu::Pop1);
    select(QRect(2, 2, 4, 4));
    EXPECT_EQ(editor.menuAt(at(3, 3)), Menu::Pop3);
    EXPECT_EQ(editor.menuAt(at(20, 3)), Menu::Pop2);
    EXPECT_TRUE(editor.isCommandEnabled(kCmdCopy, false));
    EXPECT_FALSE(editor.isCommandEnabled(kCmdPaste, false));
    EXPECT_TRUE(editor.isCommandEnabled(kCmdPaste, true));
    editor.DropSelection();
    EXPECT_FALSE(editor.isCommandEnabled(kCmdDelete, true));
    EXPECT_FALSE(editor.isCommandEnabled(kCmdRedo, true));
}

TEST_F(SelectionTest, DeleteAndEscapeWithTheSelectTool)
{
    ink({{3, 3}});
    select(QRect(2, 2, 3, 3));
    editor.OnKey(Qt::Key_Escape);
    EXPECT_FALSE(editor.hasSelection());
    EXPECT_TRUE(editor.board().pixel(3, 3));
    select(QRect(2, 2, 3, 3));
    editor.OnKey(Qt::Key_Delete);
    EXPECT_FALSE(editor.board().pixel(3, 3));
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(SelectionTest, GridSizesLayTheBoardOutAgain)
{
    EXPECT_TRUE(editor.SetGridSize(10));
    EXPECT_EQ(editor.layout().cellSize, 10);
    EXPECT_EQ(editor.layout().boardRect(), QRect(0, 0, 400, 160));
    EXPECT_TRUE(editor.OnCanvasCommand(kCmdGrid4, {}, {}, nullptr));
    EXPECT_EQ(editor.layout().cellSize, 4);
    // A cleared board is one undo step.
    ink({{1, 1}});
    editor.ClearBoard();
    EXPECT_TRUE(inkPixels().empty());
    editor.UndoBoard();
    EXPECT_TRUE(editor.board().pixel(1, 1));
}

} // namespace
} // namespace tessivo
