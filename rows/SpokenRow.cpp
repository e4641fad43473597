// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/SpokenRow.h"

#include "rows/PictureRecords.h"
#include "rows/RowModel.h"

#include <algorithm>

namespace tessivo {

namespace {

/// The word for a glyph without a character of its own; empty for a character.
QString wordFor(uint16_t code)
{
    if (code == kPictureCode)
        return QStringLiteral("picture");
    // Tab and line breaks are blank columns a reader takes as the white space they are.
    if (code < 32 && code != '\t' && code != '\n' && code != '\r')
        return QStringLiteral("symbol %1").arg(code);
    return {};
}

} // namespace

int SpokenRow::offsetOf(int index) const
{
    return starts[size_t(std::clamp(index, 0, int(starts.size()) - 1))];
}

int SpokenRow::indexAt(int offset) const
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), offset);
    return std::max(0, int(after - starts.begin()) - 1);
}

SpokenRow spokenRow(const RowModel &row)
{
    SpokenRow spoken;
    spoken.starts.clear();
    bool lastWasWord = false;
    for (int i = 0; i < row.n(); ++i) {
        const uint16_t code = row.entry(i).code;
        const QString word = wordFor(code);
        // Words stand apart from each other and from the letters around them.
        if (!word.isEmpty() && i > 0)
            spoken.text.append(QLatin1Char(' '));
        else if (word.isEmpty() && lastWasWord)
            spoken.text.append(QLatin1Char(' '));
        spoken.starts.push_back(int(spoken.text.size()));
        if (word.isEmpty())
            spoken.text.append(QChar(char16_t(code)));
        else
            spoken.text.append(word);
        lastWasWord = !word.isEmpty();
    }
    spoken.starts.push_back(int(spoken.text.size()));
    return spoken;
}

} // namespace tessivo
