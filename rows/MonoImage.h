// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A one-bit-per-pixel image: the row images, snapshots, editor boards and floating
// selections. A set pixel is black (a lit LED), a clear one white. Every access is
// clipped to the image, so no caller can reach outside it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessivo {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class MonoImage {
public:
    MonoImage() = default;
    MonoImage(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isNull() const { return width_ == 0 || height_ == 0; }

    /// True for a black pixel; pixels outside the image read as white.
    bool pixel(int x, int y) const
    {
        if (!contains(x, y))
            return false;
        return (bits_[index(x, y)] >> (7 - (x & 7))) & 1;
    }
    /// Sets a pixel black or white; outside the image nothing happens.
    void setPixel(int x, int y, bool black)
    {
        if (!contains(x, y))
            return;
        uint8_t &byte = bits_[index(x, y)];
        const uint8_t mask = uint8_t(0x80 >> (x & 7));
        byte = black ? uint8_t(byte | mask) : uint8_t(byte & ~mask);
    }
    bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    /// Paints a rectangle (clipped to the image) black or white.
    void fill(PixelRect area, bool black);
    void fill(bool black) { fill({0, 0, width_, height_}, black); }

    /// Copies `area` of `source` to (x, y) of this image, clipped on both sides.
    /// Source and destination may be the same image.
    void copyFrom(const MonoImage &source, PixelRect area, int x, int y);

    bool operator==(const MonoImage &other) const = default;

    /// Raw rows, most significant bit first, `stride()` bytes a row.
    const uint8_t *bits() const { return bits_.data(); }
    int stride() const { return stride_; }

private:
    size_t index(int x, int y) const { return size_t(y) * size_t(stride_) + size_t(x >> 3); }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<uint8_t> bits_;
};

} // namespace tessivo
