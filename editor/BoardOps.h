// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The drawing operations of the glyph editor on a one-bit board: lines, rectangles,
// ellipses inscribed in a rectangle, 4-connected fill, and the plotting, filling and
// inverting of pixel sets. Every write is clipped to an area (the used board), so no
// operation reaches beyond it.

#include "rows/MonoImage.h"

#include <QPoint>
#include <QRect>
#include <vector>

namespace tessivo::boardops {

using Pixels = std::vector<QPoint>;

/// The straight line between two pixels, both ends included.
Pixels segment(QPoint a, QPoint b);
/// The one-pixel outline of a rectangle, each pixel once.
Pixels rectangleOutline(const QRect &r);
/// The one-pixel outline of the ellipse inscribed in a rectangle, each pixel once.
Pixels ellipseOutline(const QRect &r);
/// The pixels inside and on the ellipse inscribed in a rectangle, each once.
Pixels ellipseArea(const QRect &r);
/// The smallest rectangle holding the pixels (empty for none).
QRect bounds(const Pixels &pixels);

/// The end of a shape dragged from `from` to `to` with Shift held: a line keeps to a
/// multiple of 45 degrees, a rectangle or an ellipse's box to a square.
QPoint constrainedEnd(QPoint from, QPoint to, bool line);

/// Sets the pixels (ink or paper) that lie in `clip`.
void plot(MonoImage &board, const Pixels &pixels, bool ink, const QRect &clip);
/// Flips the pixels that lie in `clip`; flipping the same set again restores them.
void invert(MonoImage &board, const Pixels &pixels, const QRect &clip);
/// Fills a rectangle, clipped.
void fillRect(MonoImage &board, const QRect &r, bool ink, const QRect &clip);
/// Fills the 4-connected region of the seed's colour around the seed, bounded by
/// `area`; false when the seed lies outside it or already has the colour.
bool floodFill(MonoImage &board, QPoint seed, bool ink, const QRect &area);

/// The pixels of a rectangle of one image into another at (0, 0), clipped on both sides.
void copyOut(const MonoImage &from, const QRect &r, MonoImage &to);

} // namespace tessivo::boardops
