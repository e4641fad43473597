// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the main window puts its twelve rows: how many fit in the row frame, the place
// and width of every control of a visible row, the column headers, and the first row
// after a scroll-bar notification. Pure geometry in pixels.

#include "rows/ChrRecord.h"
#include "rows/LedType.h"

#include <QRect>
#include <array>

namespace tessivo {

namespace rowlayout {
constexpr int kGap = 4;        // between the controls of a row
constexpr int kListSlack = 12; // what the lists leave of the rest of the row

enum class Scroll { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Other };
}

/// Rows that fit in the frame F (already 4 pixels smaller at top and bottom) with
/// rows h pixels high and 5 pixels between them.
int rowsPerPage(int frameHeight, int rowHeight);

/// Width of a row input window for a type: s x (rowWidth + 2e + 4) + 2.
int rowInputWidth(const LedTypeInfo &info);

struct RowLayoutInput {
    QRect frame;              // F
    int rowHeight = 0;        // h, the height of an effect list
    int scrollBarLeft = 0;
    bool useMiddle = false;
    int numberWidth = 0;
    int editorWidth = 0;
    int firstRow = 0;
    int rowsPerPage = 0;
    std::array<int, kMessageRows> inputWidth{};   // per row, from its own type copy
    std::array<int, kMessageRows> inputHeight{};
};

struct RowPlacement {
    bool visible = false;
    QRect number, input, editor, opening, middle, closing;
};

struct RowLayoutResult {
    std::array<RowPlacement, kMessageRows> rows;
    bool placed = false;                 // any row was placed
    int textLeft = 0, textRight = 0;     // header of the text column
    int openingRight = 0, middleRight = 0, closingRight = 0;
};

RowLayoutResult LayoutRows(const RowLayoutInput &in);

/// How much wider the row frame must be for every effect list of the widest row to be
/// at least `listWidthNeeded` wide; 0 when they already are.
int extraWidthForLists(const RowLayoutInput &in, int listWidthNeeded);

/// The first row after a scroll notification; `thumb` is the thumb's position.
int scrolledFirstRow(rowlayout::Scroll what, int firstRow, int rowsPerPage, int thumb);

} // namespace tessivo
