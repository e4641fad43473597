// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/BoardOps.h"

#include <algorithm>
#include <cstdlib>

namespace tessivo::boardops {

namespace {

/// Removes repeated pixels, keeping the first of each.
Pixels unique(Pixels pixels)
{
    const auto less = [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); };
    std::sort(pixels.begin(), pixels.end(), less);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

} // namespace

Pixels segment(QPoint a, QPoint b)
{
    Pixels pixels;
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), sx = x < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - y), sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        pixels.push_back({x, y});
        if (x == b.x() && y == b.y())
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return pixels;
}

Pixels rectangleOutline(const QRect &r)
{
    Pixels pixels;
    for (int x = r.left(); x <= r.right(); ++x) {
        pixels.push_back({x, r.top()});
        pixels.push_back({x, r.bottom()});
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        pixels.push_back({r.left(), y});
        pixels.push_back({r.right(), y});
    }
    return unique(std::move(pixels));
}

Pixels ellipseOutline(const QRect &r)
{
    // The midpoint ellipse of a whole rectangle, even sizes included (the corners are
    // the rectangle's: x0 <= x1, y0 <= y1).
    Pixels pixels;
    int64_t x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
    int64_t a = x1 - x0, b = y1 - y0, b1 = b & 1;
    int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    int64_t err = dx + dy + b1 * a * a;
    y0 += (b + 1) / 2;
    y1 = y0 - b1;
    a = 8 * a * a;
    b1 = 8 * b * b;
    const auto put = [&pixels](int64_t x, int64_t y) { pixels.push_back({int(x), int(y)}); };
    do {
        put(x1, y0);
        put(x0, y0);
        put(x0, y1);
        put(x1, y1);
        const int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            err += dy += a;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            err += dx += b1;
        }
    } while (x0 <= x1);
    while (y0 - y1 <= b) {  // the tips of very flat ellipses
        put(x0 - 1, y0);
        put(x1 + 1, y0++);
        put(x0 - 1, y1);
        put(x1 + 1, y1--);
    }
    Pixels inside;
    for (const QPoint &p : pixels)
        if (r.contains(p))
            inside.push_back(p);
    return unique(std::move(inside));
}

Pixels ellipseArea(const QRect &r)
{
    // Every line between the outline's leftmost and rightmost pixel on it.
    const Pixels outline = ellipseOutline(r);
    std::vector<int> left(size_t(r.height()), r.right() + 1), right(size_t(r.height()), r.left() - 1);
    for (const QPoint &p : outline) {
        const size_t line = size_t(p.y() - r.top());
        left[line] = std::min(left[line], p.x());
        right[line] = std::max(right[line], p.x());
    }
    Pixels pixels;
    for (int line = 0; line < r.height(); ++line)
        for (int x = left[size_t(line)]; x <= right[size_t(line)]; ++x)
            pixels.push_back({x, r.top() + line});
    return pixels;
}

QRect bounds(const Pixels &pixels)
{
    QRect box;
    for (const QPoint &p : pixels)
        box |= QRect(p, QSize(1, 1));
    return box;
}

void plot(MonoImage &board, const Pixels &pixels, bool ink, const QRect &clip)
{
    for (const QPoint &p : pixels)
        if (clip.contains(p))
            board.setPixel(p.x(), p.y(), ink);
}

void invert(MonoImage &board, const Pixels &pixels, const QRect &clip)
{
    for (const QPoint &p : pixels)
        if (clip.contains(p))
            board.setPixel(p.x(), p.y(), !board.pixel(p.x(), p.y()));
}

void fillRect(MonoImage &board, const QRect &r, bool ink, const QRect &clip)
{
    const QRect area = r & clip;
    if (!area.isEmpty())
        board.fill({area.x(), area.y(), area.width(), area.height()}, ink);
}

bool floodFill(MonoImage &board, QPoint seed, bool ink, const QRect &area)
{
    if (!area.contains(seed) || board.pixel(seed.x(), seed.y()) == ink)
        return false;
    const bool target = !ink;
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!area.contains(p) || board.pixel(p.x(), p.y()) != target)
            continue;
        // The run of the line through p, then the lines above and below it.
        int left = p.x(), right = p.x();
        while (left - 1 >= area.left() && board.pixel(left - 1, p.y()) == target)
            --left;
        while (right + 1 <= area.right() && board.pixel(right + 1, p.y()) == target)
            ++right;
        board.fill({left, p.y(), right - left + 1, 1}, ink);
        for (int dy : {-1, 1}) {
            const int y = p.y() + dy;
            if (y < area.top() || y > area.bottom())
                continue;
            for (int x = left; x <= right; ++x)
                if (board.pixel(x, y) == target && (x == left || board.pixel(x - 1, y) != target))
                    stack.push_back({x, y});
        }
    }
    return true;
}

void copyOut(const MonoImage &from, const QRect &r, MonoImage &to)
{
    to.copyFrom(from, {r.x(), r.y(), r.width(), r.height()}, 0, 0);
}

QPoint constrainedEnd(QPoint from, QPoint to, bool line)
{
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const int ax = std::abs(dx), ay = std::abs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    if (line) {
        // Nearer the axis than the diagonal (tan 22.5 degrees is about 0.41) keeps to it.
        if (ay * 5 < ax * 2)
            return QPoint(to.x(), from.y());
        if (ax * 5 < ay * 2)
            return QPoint(from.x(), to.y());
    }
    const int side = std::max(ax, ay);
    return from + QPoint(sx * side, sy * side);
}

} // namespace tessivo::boardops
