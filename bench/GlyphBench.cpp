// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/GlyphFiles.h"
#include "rows/LedType.h"

#include <benchmark/benchmark.h>

using namespace tessivo;

namespace {

void loadShippedGlyphs()
{
    static bool loaded = false;
    if (!loaded) {
        LoadGlyphFiles(TESSIVO_LIB_DIR);
        loaded = true;
    }
}

void BM_BuiltinLookup(benchmark::State &state)
{
    loadShippedGlyphs();
    for (auto _ : state) {
        ChrRecord record = emptyRecord();
        benchmark::DoNotOptimize(GetGlyph(GlyphSource(), 'A', LedTypeTable()[ledtype::k16], record));
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_BuiltinLookup);

void BM_UserLibraryLookup(benchmark::State &state)
{
    loadShippedGlyphs();
    uint16_t code = 0x4E00;
    for (auto _ : state) {
        ChrRecord record = emptyRecord();
        benchmark::DoNotOptimize(GetGlyph(GlyphSource(), code, LedTypeTable()[ledtype::k16], record));
        code = code == 0x9FA5 ? 0x4E00 : uint16_t(code + 1);
    }
}
BENCHMARK(BM_UserLibraryLookup);

} // namespace
