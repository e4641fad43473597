// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/Rulers.h"

namespace tessivo::ruler {

bool digitPixel(int digit, int column, int row)
{
    if (digit < 0 || digit > 9 || column < 0 || column > 3 || row < 0 || row > 6)
        return false;
    return (kDigits[size_t(digit)][size_t(column)] >> (7 - row)) & 1;
}

std::vector<Tick> ticks(int scroll, int cell, int charSize, int boardSize)
{
    std::vector<Tick> out;
    if (cell <= 0 || charSize <= 0)
        return out;
    for (int i = (scroll + cell - 1) / cell; i <= boardSize; ++i) {
        Tick t;
        t.position = 16 + i * cell - scroll;
        const int k = i % charSize;
        t.major = !(k != 0 && k % 8 != 0 && i != boardSize);
        if (t.major && i != 0) {
            t.numbered = true;
            t.offset = k != 0 && k % 8 == 0 && i != boardSize;
            t.number = t.offset ? k : i;
        }
        out.push_back(t);
    }
    return out;
}

} // namespace tessivo::ruler
