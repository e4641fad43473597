// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor without a window: the board's layout, the scroll-bar rules, the
// drawing tools' gestures, the eraser, and every change reaching the bound row.

#include "editor/EditorFixture.h"
#include "editor/Rulers.h"
#include "editor/ScrollBars.h"
#include "rows/RowModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace tessivo {
namespace {

using namespace editor;

// ---- layout ----

TEST(BoardLayout, A144By16BoardAtCellSixAndItsWindows)
{
    BoardLayout layout;
    ASSERT_TRUE(layout.Layout(6, 16, 16));
    EXPECT_EQ(layout.boardRect(), QRect(QPoint(0, 0), QPoint(863, 95)));
    EXPECT_EQ(layout.contentSize(), QSize(873, 105));
    EXPECT_EQ(layout.windowCount, 9);
    EXPECT_EQ(layout.rows, 1);
    ASSERT_TRUE(layout.Layout(6, 20, 16));
    EXPECT_EQ(layout.windowCount, 8);
    EXPECT_EQ(layout.windows.back().width, 4);  // the last window is what is left
    EXPECT_EQ(layout.windows.back().x, 140);
    EXPECT_EQ(layout.windows.back().rect, QRect(140 * 6, 0, 4 * 6, 16 * 6));
}

TEST(BoardLayout, AtMost255WindowsAndNoneSmallerThanFourPixels)
{
    BoardLayout layout;
    layout.boardWidth = 160;
    layout.boardHeight = 32;
    ASSERT_TRUE(layout.Layout(6, 16, 16));
    EXPECT_FALSE(layout.Layout(6, 4, 4));  // 40 x 8 = 320
    EXPECT_FALSE(layout.Layout(6, 5, 4));  // 32 x 8 = 256
    EXPECT_EQ(layout.windowCount, 20) << "a refused layout changes nothing";
    EXPECT_TRUE(layout.Layout(6, 6, 4));   // 27 x 8 = 216
    EXPECT_EQ(layout.windowCount, 216);
    EXPECT_FALSE(layout.Layout(6, 3, 16));
    EXPECT_FALSE(layout.Layout(6, 16, 3));
}

TEST(BoardLayout, PointsMapToPixelsTruncatingTowardZero)
{
    BoardLayout layout;
    layout.Layout(6, 16, 16);
    EXPECT_EQ(layout.pixelAt({0, 0}), QPoint(0, 0));
    EXPECT_EQ(layout.pixelAt({5, 11}), QPoint(0, 1));
    EXPECT_EQ(layout.pixelAt({-5, -5}), QPoint(0, 0));  // up to a cell off the edge: column 0
    EXPECT_EQ(layout.pixelAt({-6, 12}), QPoint(-1, 2));
    EXPECT_TRUE(layout.onBoard({863, 95}));
    EXPECT_FALSE(layout.onBoard({864, 10}));
    EXPECT_FALSE(layout.onBoard({-1, 10}));
}

// ---- scroll bars ----

TEST(ScrollBars, BarsAppearExactlyWhenTheContentNeedsThem)
{
    const QSize bars(16, 16);
    using scrolling::barState;
    // Fits: no bar, positions back to 0.
    scrolling::BarState s = barState({100, 100}, {200, 150}, {30, 40}, bars);
    EXPECT_FALSE(s.horizontal);
    EXPECT_FALSE(s.vertical);
    EXPECT_EQ(s.start, QPoint(0, 0));
    // Wider: a horizontal bar, and a vertical one when the bar leaves too little height.
    s = barState({300, 140}, {200, 150}, {}, bars);
    EXPECT_TRUE(s.horizontal);
    EXPECT_TRUE(s.vertical);
    s = barState({300, 130}, {200, 150}, {}, bars);
    EXPECT_TRUE(s.horizontal);
    EXPECT_FALSE(s.vertical);
    // Taller but not wider: the vertical bar leaves too little width, so both.
    s = barState({190, 300}, {200, 150}, {}, bars);
    EXPECT_TRUE(s.vertical);
    EXPECT_TRUE(s.horizontal);
    s = barState({180, 300}, {200, 150}, {}, bars);
    EXPECT_TRUE(s.vertical);
    EXPECT_FALSE(s.horizontal);
    // Growing the window while scrolled to the end pulls the position back.
    s = barState({500, 100}, {400, 200}, {300, 0}, bars);
    EXPECT_EQ(s.start.x(), 100);
    EXPECT_FALSE(scrolling::roomForBars({10, 100}, bars));
}

TEST(ScrollBars, StepsOfTheBarsAndTheWheel)
{
    const scrolling::Sizes sizes = scrolling::scrollSizes({6, 0}, {873, 105});
    EXPECT_EQ(sizes.page, QSize(87, 10));
    EXPECT_EQ(sizes.line, QSize(6, 1));
    EXPECT_EQ(scrolling::scrolled(scrolling::LineDown, 30, 0, 6, 87), 36);
    EXPECT_EQ(scrolling::scrolled(scrolling::PageUp, 30, 0, 6, 87), -57);
    EXPECT_EQ(scrolling::scrolled(scrolling::ThumbTrack, 30, 77, 6, 87), 77);
    EXPECT_EQ(scrolling::scrolled(scrolling::ThumbPosition, 30, 77, 6, 87), 30);
    EXPECT_EQ(scrolling::scrolled(scrolling::Top, 30, 0, 6, 87), 0);
    // One notch: ten lines down, at most a page; up the ten lines are not capped.
    EXPECT_EQ(scrolling::wheelDistance(-120, 6, 100), 60);
    EXPECT_EQ(scrolling::wheelDistance(-120, 6, 40), 40);
    EXPECT_EQ(scrolling::wheelDistance(120, 6, 40), -60);
    EXPECT_EQ(scrolling::wheelDistance(12, 6, 40), -40);  // less than a line up: a page
    EXPECT_EQ(scrolling::wheelDistance(-240, 6, 1000), 120);
}

TEST(Rulers, TicksNumberWindowsInRedAndEveryEighthColumnInGrey)
{
    const std::vector<ruler::Tick> ticks = ruler::ticks(0, 6, 16, 40);
    ASSERT_EQ(ticks.size(), 41u);
    EXPECT_EQ(ticks[0].position, 16);
    EXPECT_TRUE(ticks[0].major);
    EXPECT_FALSE(ticks[0].numbered);
    EXPECT_FALSE(ticks[3].major);
    EXPECT_TRUE(ticks[8].offset);
    EXPECT_EQ(ticks[8].number, 8);
    EXPECT_TRUE(ticks[16].numbered);
    EXPECT_FALSE(ticks[16].offset);
    EXPECT_EQ(ticks[16].number, 16);
    EXPECT_EQ(ticks[40].number, 40);  // the board's end carries its number
    EXPECT_EQ(ruler::ticks(13, 6, 16, 40).front().position, 16 + 3 * 6 - 13);
    EXPECT_TRUE(ruler::digitPixel(1, 3, 0));
    EXPECT_FALSE(ruler::digitPixel(1, 0, 0));
    EXPECT_FALSE(ruler::digitPixel(8, 4, 3));  // the fifth column is blank
}

// ---- gestures ----

using GlyphEditorTest = EditorFixture;

TEST_F(GlyphEditorTest, LoadingARowSizesTheBoardAndTitlesTheWindow)
{
    EXPECT_EQ(editor.title(), "Sect1 [144x16] - [40x16]");
    EXPECT_EQ(editor.layout().boardWidth, 40);
    EXPECT_EQ(editor.layout().windowCount, 3);
    RowModel empty(&blankGlyph);
    editor.LoadRow(&empty, 0);
    EXPECT_EQ(editor.title(), "Sect1 [144x16] - [0x16]");
    EXPECT_EQ(editor.layout().boardWidth, 0);
    EXPECT_FALSE(editor.LoadRow(nullptr, 3));
}

TEST_F(GlyphEditorTest, APencilClickSetsOnePixelAndADragAConnectedStroke)
{
    click(3, 4);
    EXPECT_EQ(inkCount(), 1);
    EXPECT_TRUE(editor.board().pixel(3, 4));
    EXPECT_TRUE(row.rowImage().pixel(3, 4)) << "the stroke reached the row";
    // A fast drag: the pixels between the two events are drawn too.
    editor.Press(at(10, 2), Button::Left);
    editor.Move(at(20, 12), true, false);
    editor.Release(at(20, 12), Button::Left);
    for (const QPoint &p : boardops::segment({10, 2}, {20, 12}))
        EXPECT_TRUE(editor.board().pixel(p.x(), p.y())) << p.x() << "," << p.y();
    EXPECT_TRUE(boardMatchesRow());
    // The right button draws in the background colour.
    click(3, 4, Button::Right);
    EXPECT_FALSE(editor.board().pixel(3, 4));
    EXPECT_FALSE(row.rowImage().pixel(3, 4));
}

TEST_F(GlyphEditorTest, RectanglesAreTheSameWhicheverWayTheyAreDragged)
{
    editor.OnCommand(kCmdRectangle);
    drag({5, 3}, {15, 10});
    const MonoImage forward = editor.board();
    editor.LoadRow(&row, 0);  // the row holds the rectangle now
    editor.OnCommand(kCmdPencil);
    for (int x = 5; x <= 15; ++x)  // erase it by hand
        for (int y = 3; y <= 10; ++y)
            click(x, y, Button::Right);
    editor.OnCommand(kCmdRectangle);
    drag({15, 10}, {5, 3});
    EXPECT_EQ(editor.board(), forward);
    EXPECT_EQ(inkCount(), 2 * 11 + 2 * 6);
    editor.OnCommand(kCmdFilledRectangle);
    drag({20, 0}, {21, 1});
    EXPECT_EQ(inkCount(), 2 * 11 + 2 * 6 + 4);
}

TEST_F(GlyphEditorTest, AShapePreviewDraggedInACircleLeavesNoTrace)
{
    for (int tool : {kCmdLine, kCmdRectangle, kCmdEllipse, kCmdFilledEllipse}) {
        editor.OnCommand(tool);
        const MonoImage before = editor.board();
        int rowWrites = 0;
        const auto connection = QObject::connect(&row, &RowModel::pixelsChanged, [&] { ++rowWrites; });
        editor.Press(at(20, 8), Button::Left);
        for (int step = 0; step < 24; ++step) {
            const double a = step * 3.14159 / 12;
            editor.Move(at(20 + int(12 * std::cos(a)), 8 + int(7 * std::sin(a))), true, false);
        }
        editor.Move(at(20, 8), true, false);
        EXPECT_EQ(rowWrites, 0) << "a preview never reaches the row";
        editor.Release(at(20, 8), Button::Left);
        QObject::disconnect(connection);
        MonoImage expected = before;
        expected.setPixel(20, 8, true);  // only the final one-pixel shape
        EXPECT_EQ(editor.board(), expected) << tool;
        editor.LoadRow(&row, 0);
        click(20, 8, Button::Right);
    }
}

TEST_F(GlyphEditorTest, FillIsFourConnectedAndBoundedByTheUsedBoard)
{
    // A diagonal chain from (0, 5) to (5, 0) closes the corner for a 4-connected fill.
    for (int i = 0; i <= 5; ++i)
        click(i, 5 - i);
    editor.OnCommand(kCmdFill);
    click(1, 1);
    EXPECT_TRUE(editor.board().pixel(0, 0));
    EXPECT_TRUE(editor.board().pixel(3, 1));
    EXPECT_FALSE(editor.board().pixel(5, 5));
    EXPECT_EQ(inkCount(), 6 + 15);  // the chain and the 15 pixels above it
    // Outside the corner, the fill stops at the board's used area.
    click(30, 10);
    EXPECT_EQ(inkCount(), 40 * 16);
    EXPECT_FALSE(editor.board().pixel(40, 0)) << "nothing beyond the used board";
    EXPECT_TRUE(boardMatchesRow());
    // Filling with the colour already there changes nothing.
    const MonoImage full = editor.board();
    click(30, 10);
    EXPECT_EQ(editor.board(), full);
}

TEST_F(GlyphEditorTest, TheEraserHoveringChangesNothingAndADragErasesEveryVisitedSquare)
{
    editor.OnCommand(kCmdFilledRectangle);
    drag({0, 0}, {39, 15});
    const MonoImage full = editor.board();
    editor.OnCommand(kCmdEraser);
    for (int x = 5; x < 30; x += 3)
        editor.Move(at(x, 7), false, false);
    ASSERT_TRUE(editor.eraserSquare());
    EXPECT_EQ(*editor.eraserSquare(), QRect(28, 6, 2, 2));
    editor.Move(at(0, 0) - QPoint(20, 20), false, false);  // off the board
    EXPECT_FALSE(editor.eraserSquare());
    EXPECT_EQ(editor.board(), full);
    EXPECT_TRUE(boardMatchesRow());

    // Leaving the canvas without a move off the board lifts the square too.
    editor.Move(at(12, 12), false, false);
    editor.Leave();
    EXPECT_EQ(editor.board(), full);
    EXPECT_TRUE(boardMatchesRow());

    // A press with no square shown only places it; the next press erases.
    editor.Press(at(10, 4), Button::Left);
    editor.Release(at(10, 4), Button::Left);
    EXPECT_EQ(editor.eraserSquare(), QRect(9, 3, 2, 2));
    EXPECT_EQ(inkCount(), 40 * 16 - 4);  // shown, not yet erased
    editor.Press(at(10, 4), Button::Left);
    editor.Move(at(12, 4), true, false);
    editor.Move(at(14, 4), true, false);
    editor.Release(at(14, 4), Button::Left);
    editor.Move(at(0, 0) - QPoint(20, 20), false, false);
    for (int x : {9, 10, 11, 12, 13, 14})
        for (int y : {3, 4})
            EXPECT_FALSE(editor.board().pixel(x, y)) << x << "," << y;
    EXPECT_EQ(inkCount(), 40 * 16 - 12);
    EXPECT_TRUE(boardMatchesRow());
    // A 4 x 4 eraser takes the square from (i - 2, j - 2).
    editor.OnCommand(kCmdEraser4);
    editor.Move(at(20, 10), false, false);
    EXPECT_EQ(*editor.eraserSquare(), QRect(18, 8, 4, 4));
}

TEST_F(GlyphEditorTest, ToolBarStatesFollowTheTable)
{
    EXPECT_TRUE(editor.isChecked(kCmdPencil));
    EXPECT_FALSE(editor.isEnabled(kCmdEraser2));
    EXPECT_FALSE(editor.isEnabled(kCmdOpaque));
    editor.OnCommand(kCmdEraser);
    EXPECT_TRUE(editor.isEnabled(kCmdEraser2));
    EXPECT_TRUE(editor.isChecked(kCmdEraser2));
    editor.OnCommand(kCmdEraser4);
    EXPECT_TRUE(editor.isChecked(kCmdEraser4));
    editor.OnCommand(kCmdSelect);
    EXPECT_FALSE(editor.isEnabled(kCmdEraser4));
    EXPECT_TRUE(editor.isEnabled(kCmdTransparent));
    editor.OnCommand(kCmdTransparent);
    EXPECT_TRUE(editor.isChecked(kCmdTransparent));
    // A colour changes the checked button and nothing on the board.
    const MonoImage before = editor.board();
    editor.OnCommand(kCmdBackgroundInk);
    EXPECT_TRUE(editor.isChecked(kCmdBackgroundInk));
    EXPECT_FALSE(editor.isChecked(kCmdBackgroundPaper));
    EXPECT_EQ(editor.board(), before);
    EXPECT_FALSE(editor.OnCommand(1234));
}

TEST_F(GlyphEditorTest, GrowingTheBoardFillsOnlyWhatItGained)
{
    click(2, 2);
    editor.OnCommand(kCmdBackgroundInk);
    ASSERT_TRUE(editor.ResizeBoard(48, 16, 0));
    for (int x = 40; x < 48; ++x)
        EXPECT_TRUE(editor.board().pixel(x, 5)) << x;
    EXPECT_FALSE(editor.board().pixel(39, 5));
    EXPECT_TRUE(editor.board().pixel(2, 2));
    // Shrinking keeps the pixels beyond the used area.
    ASSERT_TRUE(editor.ResizeBoard(20, 16, 0));
    EXPECT_TRUE(editor.board().pixel(45, 5));
    // A size that would need more than 255 windows is refused and keeps the old one.
    QSignalSpy refused(&editor, &GlyphEditor::layoutRefused);
    editor.setRequestedCharSize(4, 4);
    EXPECT_FALSE(editor.ResizeBoard(160, 32, 0));
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(editor.layout().boardWidth, 20);
}

TEST(GlyphEditorWideRows, EveryColumnOfA180ColumnRowCanBeEdited)
{
    const LedTypeTable types(2, 180);
    RowModel row(&blankGlyph, types);
    row.SetLedType(ledtype::k11, false);
    while (row.AddChar('a', false))
        row.MoveCaret(1, false);
    ASSERT_EQ(row.usedWidth(), 176);
    // The column beyond the used width holds a pixel that is no character's.
    row.PutPixel(178, 3, true);
    GlyphEditor editor(types.maxRowWidth());
    editor.setRequestedCharSize(13, 11);
    ASSERT_TRUE(editor.LoadRow(&row, 4));
    EXPECT_EQ(editor.title(), "Sect5 [180x11] - [176x11]");
    EXPECT_EQ(editor.layout().boardWidth, 176);
    const QPoint last = editor.layout().squaresOf(QRect(175, 10, 1, 1)).center();
    editor.Press(last, Button::Left);
    editor.Release(last, Button::Left);
    EXPECT_TRUE(row.rowImage().pixel(175, 10)) << "the last column reaches the row";
    // Filling the whole board writes the used area only.
    editor.OnCommand(kCmdFill);
    editor.Press(editor.layout().squaresOf(QRect(0, 0, 1, 1)).center(), Button::Left);
    EXPECT_TRUE(row.rowImage().pixel(100, 5));
    EXPECT_TRUE(row.rowImage().pixel(178, 3));
    EXPECT_FALSE(row.rowImage().pixel(177, 3));
    EXPECT_FALSE(row.rowImage().pixel(100, 12)) << "rows below the LEDs are untouched";
}

} // namespace
} // namespace tessivo
