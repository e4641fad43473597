// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Conversion between a picture rectangle and the LED columns of a ChrRecord.
// Column 0 is the rightmost; inside a column the bits run from the bottom row upward,
// starting at bit 7 of the column's first byte; each column starts on a byte boundary.

#include "rows/ChrRecord.h"
#include "rows/MonoImage.h"

#include <algorithm>
#include <span>

namespace tessivo {

/// Reads `rect` of a picture into column bytes. `isBlack(x, y)` says whether a pixel is
/// exactly black. Once maxBytes (at most the span's size) are filled the rest is
/// skipped; bits that no pixel covers keep their old value.
template <class IsBlack>
void extractColumnsWith(IsBlack isBlack, PixelRect rect, std::span<uint8_t> columns, int maxBytes)
{
    // Each column byte is gathered from up to eight pixels, bottom up, and stored once;
    // bits that no pixel covers keep their value.
    const int64_t bitLimit = int64_t(std::clamp<int64_t>(maxBytes, 0, int64_t(columns.size()))) * 8;
    int64_t bit = 0;
    for (int x = rect.x + rect.width - 1; x >= rect.x; --x) {
        bit = (bit + 7) / 8 * 8;  // each column starts on a byte boundary
        int y = rect.y + rect.height - 1;
        while (y >= rect.y) {
            if (bit >= bitLimit)
                return;
            const int take = int(std::min<int64_t>({8, int64_t(y) - rect.y + 1, bitLimit - bit}));
            uint8_t value = 0, covered = 0;
            for (int i = 0; i < take; ++i, --y) {
                const uint8_t mask = uint8_t(0x80 >> i);
                covered |= mask;
                if (isBlack(x, y))
                    value |= mask;
            }
            uint8_t &byte = columns[size_t(bit / 8)];
            byte = uint8_t((byte & ~covered) | value);
            bit += take;
        }
    }
}

void ExtractColumns(const MonoImage &bitmap, PixelRect rect, std::span<uint8_t> columns, int maxBytes);

/// Paints the record columns into the box (x, y, min(width, clipWidth), min(height,
/// clipHeight)), lit bits black and the others white. Bits past the end of `columns`
/// read as unlit, and the picture clips, so any record is safe to draw.
void DrawColumns(MonoImage &bitmap, int x, int y, int clipWidth, int clipHeight, int width,
                 int height, std::span<const uint8_t> columns);

/// Whether bit `row` (0 = bottom) of record column `column` is lit; false outside the bytes.
bool columnBit(std::span<const uint8_t> columns, int height, int column, int row);

} // namespace tessivo
