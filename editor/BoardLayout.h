// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The drawing board of the glyph editor as the canvas shows it: its used size, the
// magnification (device pixels per board pixel), the character windows it is divided
// into, and the conversions between canvas (content) coordinates and board pixels.
// Rectangles are inclusive, as QRect's edges are.

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

namespace tessivo {

namespace board {
constexpr int kHeight = 32;          // lines of the board image
constexpr int kMaxWindows = 255;     // character windows at most
constexpr int kMinCharSize = 4;      // the smallest character window
constexpr int kDefaultCell = 6;
constexpr int kGridSizes[] = {4, 6, 8, 10};
}

/// One tile of the board: the size of one character of the row.
struct CharWindow {
    QRect rect;          // canvas rectangle of the tile, content coordinates
    int width = 0;       // board pixels (the last column and row may be narrower)
    int height = 0;
    int x = 0, y = 0;    // board position of its top-left pixel
};

struct BoardLayout {
    int requestedCharWidth = 24;   // set from the row when its editor opens
    int requestedCharHeight = 28;
    int cellSize = board::kDefaultCell;
    QPoint origin;                 // the board's top-left corner on the canvas
    int boardWidth = 144;          // used columns
    int boardHeight = 16;          // used lines
    int charWidth = 0, charHeight = 0;
    int columns = 0, rows = 0, windowCount = 0;
    std::vector<CharWindow> windows;

    /// Divides the used board into character windows of the given size at the given
    /// cell size; false (nothing changed) for a window smaller than 4 x 4 or more than
    /// 255 windows.
    bool Layout(int cell, int charWidthWanted, int charHeightWanted);

    /// The board's canvas area, inclusive: cellSize x boardWidth by cellSize x boardHeight.
    QRect boardRect() const { return QRect(origin, QSize(cellSize * boardWidth, cellSize * boardHeight)); }
    /// The board pixel of a content point, each quotient truncated toward zero: points
    /// up to one cell left of or above the board give column or line 0.
    QPoint pixelAt(QPoint content) const;
    /// The board pixel of a content point rounded down: points left of or above the
    /// board give negative columns and lines (where a moved selection may lie).
    QPoint pixelFloorAt(QPoint content) const;
    /// Whether a content point lies on the board (its edges included).
    bool onBoard(QPoint content) const;
    /// The canvas squares of a board rectangle.
    QRect squaresOf(const QRect &pixels) const;
    /// The used area as a board rectangle.
    QRect usedArea() const { return QRect(0, 0, boardWidth, boardHeight); }
    /// The scrollable content: the board's right and bottom edges and 10 pixels more.
    QSize contentSize() const;
};

/// The rectangle spanned by two points, whichever way round, edges included.
QRect spanned(QPoint a, QPoint b);

} // namespace tessivo
