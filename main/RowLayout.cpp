// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main/RowLayout.h"

#include <algorithm>

namespace tessivo {

int rowsPerPage(int frameHeight, int rowHeight)
{
    if (rowHeight + 5 <= 0)
        return 0;
    return std::clamp((frameHeight + 5) / (rowHeight + 5), 0, kMessageRows);
}

int rowInputWidth(const LedTypeInfo &info)
{
    return info.scaleX * (info.rowWidth + 2 * rowMarginX(info) + 4) + 2;
}

RowLayoutResult LayoutRows(const RowLayoutInput &in)
{
    RowLayoutResult out;
    if (in.rowsPerPage <= 0)
        return out;
    const QRect &F = in.frame;
    const int h = in.rowHeight;
    const int available = in.scrollBarLeft - F.left() - 8;
    const double gap = in.rowsPerPage > 1
                           ? double(F.height() - in.rowsPerPage * h) / double(in.rowsPerPage - 1)
                           : 0.0;
    const int lists = in.useMiddle ? 3 : 2;

    for (int k = 0; k < kMessageRows; ++k) {
        RowPlacement &row = out.rows[size_t(k)];
        if (k < in.firstRow || k >= in.firstRow + in.rowsPerPage)
            continue;
        row.visible = true;
        const int v = k - in.firstRow;
        const int y = int((h + gap) * v + F.top());
        int x = F.left();
        int rest = available;

        row.number = QRect(x, y, in.numberWidth, h);
        rest -= in.numberWidth;
        x = row.number.right() + 1 + rowlayout::kGap;

        const int inputWidth = in.inputWidth[size_t(k)];
        row.input = QRect(x, y - 2, inputWidth, in.inputHeight[size_t(k)]);
        rest -= inputWidth;
        x = row.input.right() + 1 + rowlayout::kGap;

        row.editor = QRect(x, y, in.editorWidth, h);
        rest -= in.editorWidth;
        x = row.editor.right() + 1 + rowlayout::kGap;

        const int listWidth = (rest - rowlayout::kListSlack) / lists;
        row.opening = QRect(x, y, listWidth, h);
        x = row.opening.right() + 1 + rowlayout::kGap;
        if (in.useMiddle) {
            row.middle = QRect(x, y, listWidth, h);
            x = row.middle.right() + 1 + rowlayout::kGap;
        }
        row.closing = QRect(x, y, listWidth, h);

        out.placed = true;
        out.textLeft = row.number.left();
        out.textRight = row.editor.right() + 1;
        out.openingRight = row.opening.right() + 1;
        out.middleRight = in.useMiddle ? row.middle.right() + 1 : out.openingRight;
        out.closingRight = row.closing.right() + 1;
    }
    return out;
}

int extraWidthForLists(const RowLayoutInput &in, int listWidthNeeded)
{
    // The lists share what the number, the widest input window and the TXT button leave.
    const int widestInput = *std::max_element(in.inputWidth.begin(), in.inputWidth.end());
    const int lists = in.useMiddle ? 3 : 2;
    const int rest = in.scrollBarLeft - in.frame.left() - 8 - in.numberWidth - widestInput - in.editorWidth;
    const int listWidth = (rest - rowlayout::kListSlack) / lists;
    return std::max(0, listWidthNeeded - listWidth) * lists;
}

int scrolledFirstRow(rowlayout::Scroll what, int firstRow, int rowsPerPage, int thumb)
{
    using rowlayout::Scroll;
    const int rows = kMessageRows;
    switch (what) {
    case Scroll::LineUp:
        return firstRow > 0 ? firstRow - 1 : firstRow;
    case Scroll::LineDown:
        return firstRow + rowsPerPage < rows ? firstRow + 1 : firstRow;
    case Scroll::PageUp:
        return firstRow > 0 ? std::max(firstRow - rowsPerPage, 0) : firstRow;
    case Scroll::PageDown:
        if (firstRow + rowsPerPage < rows)
            return std::max(std::min(firstRow + rowsPerPage, rows - rowsPerPage), 0);
        return firstRow;
    case Scroll::ThumbTrack:
        return std::clamp(thumb, 0, std::max(0, rows - rowsPerPage));
    case Scroll::Other:
        break;
    }
    return firstRow;
}

} // namespace tessivo
