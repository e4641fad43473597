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
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            setPixel(x, y, black);
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
    for (int j = 0; j < area.height; ++j)
        for (int i = 0; i < area.width; ++i)
            setPixel(x + i, y + j, source.pixel(area.x + i, area.y + j));
}

} // namespace tessivo
