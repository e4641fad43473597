// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/MonoImage.h"

#include <algorithm>

namespace tessivo {

MonoImage::MonoImage(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)), stride_((width_ + 7) / 8),
      bits_(size_t(stride_) * size_t(height_), 0)
{
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = stride_ = 0;
        bits_.clear();
    }
}

void MonoImage::fill(PixelRect area, bool black)
{
    const int x0 = std::max(0, area.x), y0 = std::max(0, area.y);
    const int x1 = std::min(width_, area.x + std::max(0, area.width));
    const int y1 = std::min(height_, area.y + std::max(0, area.height));
    if (x0 >= x1 || y0 >= y1)
        return;
    // Whole bytes at once, the partial bytes at either end through masks.
    const int firstByte = x0 >> 3, lastByte = (x1 - 1) >> 3;
    const uint8_t firstMask = uint8_t(0xFF >> (x0 & 7));
    const uint8_t lastMask = uint8_t(0xFF << (7 - ((x1 - 1) & 7)));
    const uint8_t value = black ? 0xFF : 0x00;
    for (int y = y0; y < y1; ++y) {
        uint8_t *row = bits_.data() + size_t(y) * size_t(stride_);
        if (firstByte == lastByte) {
            const uint8_t mask = firstMask & lastMask;
            row[firstByte] = uint8_t((row[firstByte] & ~mask) | (value & mask));
            continue;
        }
        row[firstByte] = uint8_t((row[firstByte] & ~firstMask) | (value & firstMask));
        std::fill(row + firstByte + 1, row + lastByte, value);
        row[lastByte] = uint8_t((row[lastByte] & ~lastMask) | (value & lastMask));
    }
}

void MonoImage::copyFrom(const MonoImage &source, PixelRect area, int x, int y)
{
    // Clip the source rectangle to the source image, moving the target with it.
    if (area.x < 0) { x -= area.x; area.width += area.x; area.x = 0; }
    if (area.y < 0) { y -= area.y; area.height += area.y; area.y = 0; }
    area.width = std::min(area.width, source.width_ - area.x);
    area.height = std::min(area.height, source.height_ - area.y);
    // Then to this image.
    if (x < 0) { area.x -= x; area.width += x; x = 0; }
    if (y < 0) { area.y -= y; area.height += y; y = 0; }
    area.width = std::min(area.width, width_ - x);
    area.height = std::min(area.height, height_ - y);
    if (area.width <= 0 || area.height <= 0)
        return;

    if (&source == this) {
        const MonoImage copy = source;
        copyFrom(copy, area, x, y);
        return;
    }
    if ((area.x & 7) == 0 && (x & 7) == 0) {
        // Both sides start on a byte: whole bytes, and the last one through a mask.
        const int whole = area.width >> 3, rest = area.width & 7;
        const uint8_t mask = uint8_t(0xFF << (8 - rest));
        for (int j = 0; j < area.height; ++j) {
            const uint8_t *from = source.bits_.data() + size_t(area.y + j) * size_t(source.stride_) + (area.x >> 3);
            uint8_t *to = bits_.data() + size_t(y + j) * size_t(stride_) + (x >> 3);
            std::copy(from, from + whole, to);
            if (rest)
                to[whole] = uint8_t((to[whole] & ~mask) | (from[whole] & mask));
        }
        return;
    }
    for (int j = 0; j < area.height; ++j)
        for (int i = 0; i < area.width; ++i)
            setPixel(x + i, y + j, source.pixel(area.x + i, area.y + j));
}

} // namespace tessivo
