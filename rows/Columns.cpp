// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/Columns.h"

namespace tessivo {

void ExtractColumns(const MonoImage &bitmap, PixelRect rect, std::span<uint8_t> columns, int maxBytes)
{
    const bool inside = rect.x >= 0 && rect.y >= 0 && rect.width >= 0 && rect.height >= 0 &&
                        rect.x + rect.width <= bitmap.width() && rect.y + rect.height <= bitmap.height();
    if (!inside) {
        extractColumnsWith([&bitmap](int x, int y) { return bitmap.pixel(x, y); }, rect, columns,
                           maxBytes);
        return;
    }
    // Inside the image the pixels are read straight from its rows.
    const uint8_t *bits = bitmap.bits();
    const size_t stride = size_t(bitmap.stride());
    extractColumnsWith(
        [bits, stride](int x, int y) {
            return (bits[size_t(y) * stride + size_t(x >> 3)] & (0x80 >> (x & 7))) != 0;
        },
        rect, columns, maxBytes);
}

bool columnBit(std::span<const uint8_t> columns, int height, int column, int row)
{
    if (column < 0 || row < 0 || height <= 0)
        return false;
    const int64_t bit = int64_t(column) * bytesPerColumn(height) * 8 + row;
    if (bit / 8 >= int64_t(columns.size()))
        return false;
    return (columns[size_t(bit / 8)] >> (7 - bit % 8)) & 1;
}

void DrawColumns(MonoImage &bitmap, int x, int y, int clipWidth, int clipHeight, int width,
                 int height, std::span<const uint8_t> columns)
{
    // Only the part of the box that lies inside the picture is visited.
    const int64_t across = std::min<int64_t>({width, clipWidth, int64_t(bitmap.width()) - x});
    const int64_t down = std::min<int64_t>({height, clipHeight, int64_t(bitmap.height()) - y});
    for (int64_t i = std::max<int64_t>(0, -int64_t(x)); i < across; ++i)
        for (int64_t j = std::max<int64_t>(0, -int64_t(y)); j < down; ++j)
            bitmap.setPixel(int(x + i), int(y + j),
                            columnBit(columns, height, int(width - 1 - i), int(height - 1 - j)));
}

} // namespace tessivo
