// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor's gestures under the event orders that used to lose a drawing, and
// the comforts of Shift, the arrow keys, edge handles, the grid steps and added columns.

#include "editor/EditorFixture.h"

namespace tessivo {
namespace {

using namespace editor;

bool inkedGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    blankGlyph(code, ledType, record);
    record.columns[2] = record.columns[3] = 0xFF;  // every line of the seventh column
    return true;
}

class GestureTest : public EditorFixture {
protected:
    void press(QPoint content, Button button = Button::Left) { editor.Press(content, button); }
    void moveHeld(QPoint content, Button button = Button::Left)
    {
        editor.Move(content, button == Button::Left, button == Button::Right);
    }
    /// A letter of ink: an L from (10, 3) down to (10, 9) and on to (13, 9).
    void drawLetter()
    {
        editor.OnCommand(kCmdLine);
        drag({10, 3}, {10, 9});
        drag({10, 9}, {13, 9});
    }
    int rowInk() const
    {
        int n = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 40; ++x)
                n += row.rowImage().pixel(x, y);
        return n;
    }
};

} // namespace

// ---- event orders that lost pixels ----

TEST_F(GestureTest, AMenuOverASelectionEndsItsGestureAndLaterMovesChangeNothing)
{
    drawLetter();
    ASSERT_EQ(inkCount(), 10);
    select(QRect(9, 2, 6, 9));
    // The right press opens the menu; the menu takes the release.
    press(at(11, 5), Button::Right);
    ASSERT_TRUE(editor.gestureActive());
    editor.CancelGesture();
    EXPECT_FALSE(editor.gestureActive());
    for (int x = 0; x < 40; x += 4)
        editor.Move(at(x, 12), false, false);
    EXPECT_EQ(editor.selectionRect(), QRect(9, 2, 6, 9));
    // Escape drops the selection; moves without a button and changes of the whole board
    // (an undo and its redo) leave the letter where it is, in the board and in the row.
    EXPECT_TRUE(editor.OnKey(Qt::Key_Escape));
    EXPECT_FALSE(editor.hasSelection());
    for (int x = 0; x < 40; x += 4)
        editor.Move(at(x, 1), false, false);
    editor.RecomposeSelection();
    EXPECT_TRUE(editor.UndoBoard());
    EXPECT_TRUE(editor.RedoBoard());
    EXPECT_EQ(inkCount(), 10);
    EXPECT_EQ(rowInk(), 10);
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(GestureTest, ADragWhereADroppedSelectionWasMakesANewSelectionAndErasesNothing)
{
    drawLetter();
    select(QRect(9, 2, 6, 9));
    const QPoint grab = at(10, 5);
    editor.Move(grab, false, false);  // the pointer rests over the selection
    ASSERT_TRUE(editor.OnKey(Qt::Key_Escape));
    drag({10, 5}, {12, 7});
    EXPECT_EQ(editor.selectionRect(), QRect(10, 5, 3, 3));
    EXPECT_EQ(inkCount(), 10);
    EXPECT_TRUE(boardMatchesRow());
    EXPECT_TRUE(editor.board().pixel(10, 3));
}

TEST_F(GestureTest, ASelectionBesideTheBoardMovesFromWhereItIsShown)
{
    drawLetter();
    select(QRect(9, 2, 6, 9));
    // Far past the top-left: it stays beside the board, its own size away at most.
    drag({10, 5}, {-50, -50});
    EXPECT_EQ(editor.selectionRect(), QRect(-6, -9, 6, 9));
    EXPECT_TRUE(editor.OnKey(Qt::Key_Right));
    EXPECT_EQ(editor.selectionRect(), QRect(-5, -9, 6, 9));
    // Back by a drag from where it is shown: it lands where the pointer says.
    const QPoint shown = editor.layout().squaresOf(QRect(-5, -9, 1, 1)).center();
    editor.Press(shown, Button::Left);
    editor.Move(shown + QPoint(14 * 6, 11 * 6), true, false);
    editor.Release(shown + QPoint(14 * 6, 11 * 6), Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(9, 2, 6, 9));
    editor.DropSelection();
    EXPECT_EQ(inkCount(), 10);
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(GestureTest, ASelectionBelowTheBoardGrowsByWhatItsHandleIsDragged)
{
    select(QRect(2, 2, 4, 9));
    drag({3, 5}, {3, 40});
    ASSERT_EQ(editor.selectionRect(), QRect(2, 16, 4, 9));
    // The top handle, grabbed just above the squares and dragged up by one pixel.
    const QRect squares = editor.rubberRect();
    const QPoint handle(squares.center().x(), squares.top() - 1);
    ASSERT_EQ(editor.handleAt(handle), 4);
    editor.Move(handle, false, false);
    editor.Press(handle, Button::Left);
    editor.Move(handle - QPoint(0, 1), true, false);
    editor.Release(handle - QPoint(0, 1), Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(2, 15, 4, 10));
}

TEST_F(GestureTest, SelectAllDraggedDownAndBackLandsWhereItWas)
{
    drawLetter();
    editor.OnCommand(kCmdSelect);
    editor.SelectAll();
    const QPoint grab = at(20, 8);
    editor.Press(grab, Button::Left);
    editor.Move(grab + QPoint(0, 15 * 6), true, false);
    editor.Move(grab, true, false);
    editor.Release(grab, Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(0, 0, 40, 16));
    EXPECT_EQ(inkCount(), 10);
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(GestureTest, APressWhereAMoveEndedMovesTheSelectionAgain)
{
    drawLetter();
    select(QRect(9, 2, 6, 9));
    const QPoint grab = at(10, 5), step(5 * 6, 0);
    editor.Move(grab, false, false);
    editor.Press(grab, Button::Left);
    editor.Move(grab + step, true, false);
    editor.Release(grab + step, Button::Left);
    // No move in between: the press itself finds the selection under it.
    editor.Press(grab + step, Button::Left);
    editor.Move(grab + step + step, true, false);
    editor.Release(grab + step + step, Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(19, 2, 6, 9));
    EXPECT_EQ(inkCount(), 10);
}

TEST_F(GestureTest, QuickClicksOfEitherButtonEachCount)
{
    click(3, 3);
    click(4, 3);
    click(4, 3, Button::Right);
    click(5, 3);
    EXPECT_TRUE(editor.board().pixel(3, 3));
    EXPECT_FALSE(editor.board().pixel(4, 3));
    EXPECT_TRUE(editor.board().pixel(5, 3));
    // A second button during a gesture ends it; the next press draws again.
    editor.OnCommand(kCmdLine);
    press(at(0, 10));
    moveHeld(at(20, 10));
    press(at(20, 10), Button::Right);
    EXPECT_FALSE(editor.gestureActive());
    editor.Release(at(20, 10), Button::Left);
    editor.Release(at(20, 10), Button::Right);
    EXPECT_FALSE(editor.board().pixel(10, 10)) << "the line's preview is gone, no line drawn";
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(GestureTest, TypingIntoTheRowUnderAHoveringEraserLeavesNoHole)
{
    // A row whose characters carry ink in their second column.
    RowModel inked(&inkedGlyph);
    inked.SetLedType(ledtype::k16, false);
    for (int i = 0; i < 3; ++i)
        if (inked.AddChar('a', false))
            inked.MoveCaret(1, false);
    editor.LoadRow(&inked, 1);
    editor.OnCommand(kCmdEraser);
    editor.Move(at(6, 4), false, false);  // resting over the ink of the first character
    ASSERT_TRUE(editor.eraserSquare());
    EXPECT_TRUE(inked.rowImage().pixel(6, 4)) << "a hovering square erases nothing in the row";
    // A character typed in front shifts the letters; the row is bound again.
    inked.MoveCaret(-10, false);
    inked.TypeChar('a');
    editor.LoadRow(&inked, 1);
    for (int k = 0; k < 4; ++k)
        for (int y = 0; y < 16; ++y)
            EXPECT_TRUE(inked.rowImage().pixel(k * 8 + 6, y)) << k << "," << y;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(editor.board().pixel(x, y), inked.rowImage().pixel(x, y)) << x << "," << y;
}

TEST_F(GestureTest, EveryInterruptionEndsAGestureTheSameWay)
{
    // A shape in progress: a tool change, Escape, the pointer leaving, another row.
    const std::vector<std::function<void()>> interruptions = {
        [&] { editor.OnCommand(kCmdPencil); },
        [&] { editor.OnKey(Qt::Key_Escape); },
        [&] { editor.Leave(); },
        [&] { editor.LoadRow(&row, 0); },
    };
    for (size_t k = 0; k < interruptions.size(); ++k) {
        editor.OnCommand(kCmdRectangle);
        press(at(2, 2));
        moveHeld(at(12, 12));
        ASSERT_GT(inkCount(), 0) << "the preview shows";
        interruptions[k]();
        EXPECT_FALSE(editor.gestureActive()) << k;
        EXPECT_EQ(inkCount(), 0) << k;
        editor.Release(at(12, 12), Button::Left);
        editor.Move(at(20, 5), true, false);
        EXPECT_EQ(inkCount(), 0) << k;
        EXPECT_TRUE(boardMatchesRow()) << k;
    }
    // A stroke keeps what it drew.
    editor.OnCommand(kCmdPencil);
    press(at(2, 2));
    moveHeld(at(6, 2));
    editor.CancelGesture();
    EXPECT_EQ(inkCount(), 5);
    EXPECT_TRUE(boardMatchesRow());
    // A drag of a selection ends with the selection where it was last shown.
    select(QRect(1, 1, 8, 3));
    press(at(3, 2));
    moveHeld(at(13, 2));
    editor.OnKey(Qt::Key_Escape);
    EXPECT_FALSE(editor.hasSelection());
    editor.Move(at(30, 10), true, false);
    EXPECT_EQ(inkCount(), 5);
    EXPECT_TRUE(editor.board().pixel(12, 2));
    EXPECT_TRUE(boardMatchesRow());
}

// ---- comforts ----

TEST(ConstrainedShapes, LinesKeepTo45DegreesAndBoxesToSquares)
{
    struct Case {
        QPoint to;
        bool line;
        QPoint expected;
    };
    const Case cases[] = {
        {{10, 3}, true, {10, 0}},  {{3, 10}, true, {0, 10}},   {{10, 7}, true, {10, 10}},
        {{-10, 6}, true, {-10, 10}}, {{-4, -10}, true, {-10, -10}}, {{10, 3}, false, {10, 10}},
        {{-3, 8}, false, {-8, 8}}, {{0, 0}, false, {0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(boardops::constrainedEnd({0, 0}, c.to, c.line), c.expected) << c.to.x() << "," << c.to.y();
}

TEST_F(GestureTest, ShiftKeepsLinesStraightAndRectanglesSquare)
{
    editor.setConstrained(true);
    editor.OnCommand(kCmdLine);
    drag({2, 2}, {14, 5});
    for (int x = 2; x <= 14; ++x)
        EXPECT_TRUE(editor.board().pixel(x, 2)) << x;
    EXPECT_EQ(inkCount(), 13);
    editor.ClearBoard();
    editor.OnCommand(kCmdFilledRectangle);
    drag({20, 2}, {30, 6});
    EXPECT_EQ(inkCount(), 11 * 11);
    EXPECT_TRUE(editor.board().pixel(30, 12));
    EXPECT_FALSE(editor.board().pixel(31, 12));
    editor.setConstrained(false);
    EXPECT_TRUE(boardMatchesRow());
}

TEST_F(GestureTest, ArrowKeysNudgeAFloatingSelectionAsOneUndoStepWithItsDrags)
{
    drawLetter();
    select(QRect(9, 2, 6, 9));
    const int undoBefore = editor.history().undoCount();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(editor.OnKey(Qt::Key_Right));
    EXPECT_TRUE(editor.OnKey(Qt::Key_Down));
    drag({13, 5}, {14, 5});
    EXPECT_EQ(editor.selectionRect().topLeft(), QPoint(13, 3));
    EXPECT_EQ(editor.history().undoCount(), undoBefore + 1);
    EXPECT_TRUE(editor.board().pixel(14, 4));
    EXPECT_TRUE(boardMatchesRow());
    EXPECT_TRUE(editor.UndoBoard());
    EXPECT_TRUE(editor.board().pixel(10, 3));
    // Without a selection the arrows are not the editor's.
    EXPECT_FALSE(editor.OnKey(Qt::Key_Left));
}

TEST_F(GestureTest, HandlesAtTheCanvasEdgeCanBeGrabbed)
{
    select(QRect(0, 0, 6, 4));
    // The top-left handle lies inside the selection's first squares; it resizes there.
    const auto areas = editor.handleAreas();
    EXPECT_EQ(areas[0].topLeft(), QPoint(0, 0));
    const QPoint corner(1, 1);
    ASSERT_EQ(editor.handleAt(corner), 0);
    editor.Press(corner, Button::Left);
    editor.Move(at(2, 1), true, false);
    editor.Release(at(2, 1), Button::Left);
    EXPECT_EQ(editor.selectionRect(), QRect(QPoint(2, 1), QPoint(5, 3)));
    // Further in, the squares still move the selection.
    drag({3, 2}, {4, 2});
    EXPECT_EQ(editor.selectionRect(), QRect(QPoint(3, 1), QPoint(6, 3)));
}

TEST_F(GestureTest, TheGridStepsThroughItsFourSizes)
{
    ASSERT_EQ(editor.layout().cellSize, 6);
    EXPECT_TRUE(editor.StepGridSize(1));
    EXPECT_TRUE(editor.StepGridSize(1));
    EXPECT_EQ(editor.layout().cellSize, 10);
    EXPECT_FALSE(editor.StepGridSize(1));
    for (int k = 0; k < 3; ++k)
        editor.StepGridSize(-1);
    EXPECT_EQ(editor.layout().cellSize, 4);
    EXPECT_FALSE(editor.StepGridSize(-1));
}

TEST_F(GestureTest, BlankColumnsGiveAnEmptyRowRoomAndAreUndoneAsATypedCharacter)
{
    RowModel empty(&blankGlyph);
    empty.SetLedType(ledtype::k16, false);
    editor.LoadRow(&empty, 2);
    ASSERT_EQ(editor.layout().boardWidth, 0);
    EXPECT_TRUE(editor.isCommandEnabled(kCmdAddColumns, false));
    EXPECT_TRUE(editor.OnCanvasCommand(kCmdAddColumns, {}, {}, nullptr));
    EXPECT_EQ(empty.usedWidth(), kAddedColumns);
    editor.LoadRow(&empty, 2);  // as the window does when the row changes
    EXPECT_EQ(editor.layout().boardWidth, kAddedColumns);
    // Each blank record holds at most its 72 bytes: 36 columns at 16 LEDs.
    EXPECT_TRUE(empty.AppendBlankColumns(50));
    EXPECT_EQ(empty.usedWidth(), kAddedColumns + 50);
    EXPECT_EQ(empty.n(), 3);
    EXPECT_EQ(empty.undoDepth(), 2);
    EXPECT_TRUE(empty.Undo());
    EXPECT_EQ(empty.usedWidth(), kAddedColumns);
    // A full row takes no more.
    while (empty.AppendBlankColumns(36)) {
    }
    EXPECT_LE(empty.usedWidth(), empty.rowWidth());
    EXPECT_FALSE(empty.canAppendBlankColumns());
    EXPECT_FALSE(empty.AppendBlankColumns(1));
    for (const ChrRecord &record : empty.ExtractRecords(empty.n(), 0))
        EXPECT_TRUE(fitsRowHeight(record, 16));
}

} // namespace tessivo
