// The glyph editor's board operations: filling a whole empty board.

#include "editor/BoardOps.h"

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

} // namespace
