// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A row as a screen reader reads it: its characters as text, with a word for each glyph
// that has no character of its own ("picture" for a picture's columns, "symbol 3" for
// the keyboard's symbols), and where each of the row's characters starts in that text,
// so that carets and selections translate both ways.

#include <QString>
#include <vector>

namespace tessivo {

class RowModel;

struct SpokenRow {
    QString text;
    /// Where character i of the row starts in text; one more entry than the row has
    /// characters, the last being text's length.
    std::vector<int> starts{0};

    /// The text offset of the place before character index (0 to the row's count).
    int offsetOf(int index) const;
    /// The row's place (0 to its count) for a text offset: a place inside a word
    /// counts as the place before it.
    int indexAt(int offset) const;
};

SpokenRow spokenRow(const RowModel &row);

} // namespace tessivo
