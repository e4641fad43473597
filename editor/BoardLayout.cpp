// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/BoardLayout.h"

#include <algorithm>

namespace tessivo {

bool BoardLayout::Layout(int cell, int charWidthWanted, int charHeightWanted)
{
    if (charWidthWanted < board::kMinCharSize || charHeightWanted < board::kMinCharSize || cell < 1)
        return false;
    const int across = (boardWidth + charWidthWanted - 1) / charWidthWanted;
    const int down = (boardHeight + charHeightWanted - 1) / charHeightWanted;
    if (int64_t(across) * down > board::kMaxWindows)
        return false;
    windowCount = across * down;
    charWidth = charWidthWanted;
    charHeight = charHeightWanted;
    cellSize = cell;
    columns = across;
    rows = down;
    windows.assign(size_t(windowCount), CharWindow{});
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            CharWindow &w = windows[size_t(r * columns + c)];
            w.x = c * charWidth;
            w.y = r * charHeight;
            w.width = (c == columns - 1 && boardWidth % charWidth) ? boardWidth % charWidth : charWidth;
            w.height = (r == rows - 1 && boardHeight % charHeight) ? boardHeight % charHeight : charHeight;
            w.rect = QRect(origin.x() + c * charWidth * cell, origin.y() + r * charHeight * cell,
                           w.width * cell, w.height * cell);
        }
    }
    return true;
}

QPoint BoardLayout::pixelAt(QPoint content) const
{
    return QPoint((content.x() - origin.x()) / cellSize, (content.y() - origin.y()) / cellSize);
}

QPoint BoardLayout::pixelFloorAt(QPoint content) const
{
    const auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return QPoint(floorDiv(content.x() - origin.x(), cellSize), floorDiv(content.y() - origin.y(), cellSize));
}

bool BoardLayout::onBoard(QPoint content) const
{
    const QRect r = boardRect();
    return content.x() >= r.left() && content.x() <= r.right() && content.y() >= r.top() &&
           content.y() <= r.bottom();
}

QRect BoardLayout::squaresOf(const QRect &pixels) const
{
    return QRect(origin.x() + pixels.left() * cellSize, origin.y() + pixels.top() * cellSize,
                 pixels.width() * cellSize, pixels.height() * cellSize);
}

QSize BoardLayout::contentSize() const
{
    const QRect r = boardRect();
    return QSize(r.right() + 10, r.bottom() + 10);
}

QRect spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace tessivo
