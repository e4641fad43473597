// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two size tables of the user libraries, compiled into the program from the runs the
// glyph generator writes, and spread out into width and height bytes on first use.

#include "glyphs/GlyphFiles.h"
#include "glyphs/SizeTableRuns.h"

#include <array>

namespace tessivo {
namespace {

using Table = std::array<uint8_t, glyphfile::kSizeTableBytes>;

Table expand(const sizetables::SizeRun *runs, size_t count)
{
    Table table{};
    uint32_t code = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t end = runs[i].end < 65536 ? runs[i].end : 65536;
        for (; code < end; ++code) {
            table[2 * code] = runs[i].width;
            table[2 * code + 1] = runs[i].height;
        }
    }
    return table;
}

} // namespace

std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable11()
{
    static const Table table = expand(sizetables::kRuns11, sizetables::kRuns11Count);
    return table;
}

std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable16()
{
    static const Table table = expand(sizetables::kRuns16, sizetables::kRuns16Count);
    return table;
}

} // namespace tessivo
