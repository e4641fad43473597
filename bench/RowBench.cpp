// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/GlyphFiles.h"
#include "rows/RowModel.h"

#include "rows/PictureRecords.h"

#include <benchmark/benchmark.h>

using namespace tessivo;

namespace {

bool shippedGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    return GetGlyph(GlyphSource(), code, LedTypeTable()[ledType], record);
}

void fill(RowModel &row, uint16_t code)
{
    while (row.AddChar(code, false))
        row.MoveCaret(1, false);
}

// A 16-LED row filled to capacity through AddChar and read back with ExtractRecords.
void BM_FillRowAndExtract(benchmark::State &state)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    const uint16_t code = uint16_t(state.range(0));
    RowModel row(&shippedGlyph);
    ChrRecord records[kMaxRowChars];
    for (auto _ : state) {
        row.SetLedType(ledtype::k16, false);
        fill(row, code);
        benchmark::DoNotOptimize(row.ExtractRecords(row.n(), 0, records));
    }
}
BENCHMARK(BM_FillRowAndExtract)->Arg('A')->Arg(0x4E2D);

// PushUndo on a full row, alternately changed and unchanged.
void BM_PushUndoFullRow(benchmark::State &state)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    RowModel row(&shippedGlyph);
    row.SetLedType(ledtype::k16, false);
    fill(row, 'A');
    bool lit = false;
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            lit = !lit;
            row.PutPixel(0, 0, lit);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(row.PushUndo());
    }
}
BENCHMARK(BM_PushUndoFullRow)->Arg(0)->Arg(1);

// A 1000 x 1000 picture into 16-LED columns for a row with room to spare.
void BM_PictureToRecords(benchmark::State &state)
{
    QImage picture(1000, 1000, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; x += 3)
            picture.setPixel(x, y, qRgba(0, 0, 0, (x + y) % 256));
    for (auto _ : state) {
        const PictureRecords records = pictureRecords(picture, 16, true, 1000, 50);
        benchmark::DoNotOptimize(records.columns);
    }
}
BENCHMARK(BM_PictureToRecords)->Unit(benchmark::kMillisecond);

} // namespace
