// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FloatingSelection.h"

#include "editor/BoardLayout.h"
#include "editor/BoardOps.h"

#include <algorithm>

namespace tessivo {

namespace {

PixelRect pixelRect(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

FloatingSelection::FloatingSelection(int boardImageWidth)
    : image_(2 * boardImageWidth, 2 * boardImageWidth), background_(boardImageWidth, board::kHeight)
{
}

void FloatingSelection::lift(const MonoImage &board, const QRect &pixels, const QRect &used, bool backgroundInk)
{
    background_.copyFrom(board, pixelRect(used), 0, 0);
    image_.fill(false);
    image_.copyFrom(board, pixelRect(pixels), 0, 0);
    boardops::fillRect(background_, pixels, backgroundInk, used);
    rect_ = pixels;
}

void FloatingSelection::floatOver(const MonoImage &board, const QRect &used, const MonoImage &picture,
                                  const QRect &place)
{
    background_.copyFrom(board, pixelRect(used), 0, 0);
    image_.fill(false);
    const int w = std::min(place.width(), image_.width()), h = std::min(place.height(), image_.height());
    image_.copyFrom(picture, {0, 0, w, h}, 0, 0);
    rect_ = QRect(place.topLeft(), QSize(w, h));
}

void FloatingSelection::stamp(MonoImage &board, const QRect &used, bool opaque, bool backgroundInk) const
{
    if (!active())
        return;
    const QRect area = rect_ & used;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool ink = image_.pixel(x - rect_.left(), y - rect_.top());
            if (opaque || ink != backgroundInk)
                board.setPixel(x, y, ink);
        }
    }
}

void FloatingSelection::restoreBackground(MonoImage &board, const QRect &used) const
{
    if (active())
        board.copyFrom(background_, pixelRect(used), 0, 0);
}

void FloatingSelection::recompose(MonoImage &board, const QRect &used, bool opaque, bool backgroundInk) const
{
    if (!active())
        return;
    restoreBackground(board, used);
    stamp(board, used, opaque, backgroundInk);
}

QPoint FloatingSelection::clampedTopLeft(QPoint wanted, QSize boardSize) const
{
    // It may leave the board, but stays next to it: at most its own size beside it.
    return QPoint(std::clamp(wanted.x(), -rect_.width(), boardSize.width()),
                  std::clamp(wanted.y(), -rect_.height(), boardSize.height()));
}

void FloatingSelection::moveTo(QPoint topLeft, QSize boardSize)
{
    if (active())
        rect_.moveTopLeft(clampedTopLeft(topLeft, boardSize));
}

void FloatingSelection::resizeTo(const QRect &target)
{
    if (!active())
        return;
    const int w = rect_.width(), h = rect_.height();
    const int newW = std::clamp(target.width(), 1, image_.width());
    const int newH = std::clamp(target.height(), 1, image_.height());
    MonoImage scaled(newW, newH);
    for (int y = 0; y < newH; ++y) {
        const int y0 = y * h / newH, y1 = std::max(y0 + 1, (y + 1) * h / newH);
        for (int x = 0; x < newW; ++x) {
            const int x0 = x * w / newW, x1 = std::max(x0 + 1, (x + 1) * w / newW);
            bool ink = false;
            for (int sy = y0; sy < y1 && !ink; ++sy)
                for (int sx = x0; sx < x1 && !ink; ++sx)
                    ink = image_.pixel(sx, sy);
            scaled.setPixel(x, y, ink);
        }
    }
    image_.fill(false);
    image_.copyFrom(scaled, {0, 0, newW, newH}, 0, 0);
    rect_ = QRect(target.topLeft(), QSize(newW, newH));
}

void FloatingSelection::transform(editor::Transform kind)
{
    using editor::Transform;
    if (!active())
        return;
    const int w = rect_.width(), h = rect_.height();
    const int side = std::max(w, h);
    MonoImage block(side, side);
    block.copyFrom(image_, {0, 0, w, h}, 0, 0);
    MonoImage turned(side, side);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const bool ink = block.pixel(i, j);
            switch (kind) {
            case Transform::TurnLeft: turned.setPixel(j, w - 1 - i, ink); break;
            case Transform::TurnRight: turned.setPixel(h - 1 - j, i, ink); break;
            case Transform::Turn180: turned.setPixel(w - 1 - i, h - 1 - j, ink); break;
            case Transform::MirrorHorizontal: turned.setPixel(w - 1 - i, j, ink); break;
            case Transform::MirrorVertical: turned.setPixel(i, h - 1 - j, ink); break;
            case Transform::Invert: turned.setPixel(i, j, !ink); break;
            case Transform::Hollow: {
                // Paper, but where a pixel that is not ink itself touches ink.
                bool touches = false;
                for (int dy = -1; dy <= 1 && !touches && !ink; ++dy)
                    for (int dx = -1; dx <= 1 && !touches; ++dx)
                        touches = (dx || dy) && i + dx >= 0 && i + dx < w && j + dy >= 0 && j + dy < h &&
                                  block.pixel(i + dx, j + dy);
                turned.setPixel(i, j, !ink && touches);
                break;
            }
            }
        }
    }
    const bool quarter = kind == Transform::TurnLeft || kind == Transform::TurnRight;
    const int newW = quarter ? h : w, newH = quarter ? w : h;
    image_.fill(false);
    image_.copyFrom(turned, {0, 0, newW, newH}, 0, 0);
    rect_.setSize(QSize(newW, newH));
}

QImage FloatingSelection::picture() const
{
    if (!active())
        return {};
    QImage picture(rect_.width(), rect_.height(), QImage::Format_RGB32);
    for (int y = 0; y < rect_.height(); ++y)
        for (int x = 0; x < rect_.width(); ++x)
            picture.setPixel(x, y, image_.pixel(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

} // namespace tessivo
