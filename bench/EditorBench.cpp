// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor's board operations: filling a whole empty board.

#include "editor/BoardOps.h"
#include "editor/GlyphEditor.h"
#include "rows/RowModel.h"

#include <benchmark/benchmark.h>

using namespace tessivo;

namespace {

void BM_FillWholeEmptyBoard(benchmark::State &state)
{
    MonoImage board(180, 32);
    const QRect area(0, 0, 180, 32);
    bool ink = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(boardops::floodFill(board, QPoint(90, 16), ink, area));
        ink = !ink;
    }
}
BENCHMARK(BM_FillWholeEmptyBoard)->Unit(benchmark::kMicrosecond);

bool wideBlank(uint16_t, int ledType, ChrRecord &record)
{
    record.width = 12;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(12 * bytesPerColumn(record.height));
    return true;
}

/// An editor on a full 180-column 11-LED row whose board is then made 180 x 32.
struct FullBoard {
    LedTypeTable types{2, 180};
    RowModel row{&wideBlank, types};
    GlyphEditor editor{types.maxRowWidth()};
    FullBoard()
    {
        row.SetLedType(ledtype::k11, false);
        while (row.AddChar('a', false))
            row.MoveCaret(1, false);
        editor.setRequestedCharSize(20, 16);
        editor.LoadRow(&row, 0);
        editor.ResizeBoard(180, 32, 0);
        for (int i = 0; i < 180; i += 3)
            editor.Press(editor.layout().squaresOf(QRect(i, i % 32, 1, 1)).center(), editor::Button::Left),
                editor.Release(editor.layout().squaresOf(QRect(i, i % 32, 1, 1)).center(), editor::Button::Left);
    }
};

void BM_UndoRedoFullBoard(benchmark::State &state)
{
    FullBoard b;
    b.editor.PushSnapshot();
    for (auto _ : state) {
        b.editor.UndoBoard();
        b.editor.RedoBoard();
    }
    state.SetLabel("one undo and one redo");
}
BENCHMARK(BM_UndoRedoFullBoard)->Unit(benchmark::kMicrosecond);

void BM_TransformFullBoardSelection(benchmark::State &state)
{
    FullBoard b;
    b.editor.OnCommand(editor::kCmdSelect);
    b.editor.SelectAll();
    for (auto _ : state)
        b.editor.TransformSelection(editor::Transform::MirrorHorizontal);
}
BENCHMARK(BM_TransformFullBoardSelection)->Unit(benchmark::kMicrosecond);

void BM_MoveFullBoardSelection(benchmark::State &state)
{
    FullBoard b;
    b.editor.OnCommand(editor::kCmdSelect);
    b.editor.SelectAll();
    const QPoint grab = b.editor.layout().squaresOf(QRect(90, 16, 1, 1)).center();
    b.editor.Move(grab, false, false);
    b.editor.Press(grab, editor::Button::Left);
    const int cell = b.editor.layout().cellSize;
    int step = 0;
    for (auto _ : state) {
        // One square to the right, then back: each step moves the selection.
        b.editor.Move(grab + QPoint((step++ % 2) * cell, 0), true, false);
    }
    b.editor.Release(grab, editor::Button::Left);
}
BENCHMARK(BM_MoveFullBoardSelection)->Unit(benchmark::kMicrosecond);

} // namespace
