// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rulers along the top and the left of the editor's canvas: where their ticks stand
// and which numbers they carry, and the ruler's own digits (4 columns x 7 rows each).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessivo::ruler {

constexpr int kMargin = 15;          // the rulers' strip
constexpr int kDigitPitch = 5;       // a digit and its blank column
/// Digit d's four columns, left to right; bit 7 is the top row, bits 7-1 rows 0-6.
constexpr std::array<std::array<uint8_t, 4>, 10> kDigits = {{{0xFE, 0x82, 0x82, 0xFE},
                                                             {0x00, 0x00, 0x00, 0xFE},
                                                             {0x9E, 0x92, 0x92, 0xF2},
                                                             {0x92, 0x92, 0x92, 0xFE},
                                                             {0xF0, 0x10, 0x10, 0xFE},
                                                             {0xF2, 0x92, 0x92, 0x9E},
                                                             {0xFE, 0x92, 0x92, 0x9E},
                                                             {0x80, 0x80, 0x80, 0xFE},
                                                             {0xFE, 0x92, 0x92, 0xFE},
                                                             {0xF2, 0x92, 0x92, 0xFE}}};

/// Whether a digit's pixel (column 0-4, row 0-6) is set; the fifth column is blank.
bool digitPixel(int digit, int column, int row);

struct Tick {
    int position = 0;     // pixels along the ruler
    bool major = false;   // a character-window boundary, every eighth column, or the end
    bool numbered = false;
    int number = 0;
    bool offset = false;  // the number is the offset inside its window (grey)
};

/// The ticks of a ruler: board boundaries from the first one not scrolled off to the
/// board's end, each 16 + i x cell - scroll pixels along.
std::vector<Tick> ticks(int scroll, int cell, int charSize, int boardSize);

} // namespace tessivo::ruler
