#pragma once
// The three LED types of the blade. The table is built in; the settings adjust the
// gap and row width of the 11-LED entry at start-up, before any row exists. Each row
// keeps its own copy of its type's entry.

#include <cstdint>

namespace tessivo {

struct LedTypeInfo {
    int32_t id;
    char16_t name[10];
    int32_t glyphWidth;  // nominal character width; the font rasteriser works 4x this wide
    int32_t ledCount;    // LEDs on the blade: rows of a row
    int32_t gap;         // blank columns right of rasterised and user-library glyphs
    int32_t unused;      // not used by the message rows
    int32_t rowWidth;    // capacity of a row in LED columns
    int32_t scaleX;      // screen pixels per LED column in the row input window
    int32_t scaleY;      // screen pixels per LED row in the row input window
};

namespace ledtype {
constexpr int k7 = 0;
constexpr int k11 = 1;
constexpr int k16 = 2;
constexpr int kCount = 3;

constexpr int kGap11Default = 2, kGap11Min = 0, kGap11Max = 4;
constexpr int kRowWidth11Default = 160, kRowWidth11Min = 160, kRowWidth11Max = 180;
}

/// Clamps a type to 0-2; anything else becomes 0.
constexpr int clampLedType(int type) { return (type >= 0 && type < ledtype::kCount) ? type : 0; }

/// The entry of a type (outside 0-2 the 7-LED entry).
const LedTypeInfo &ledTypeInfo(int type);

/// Sets the 11-LED gap and row width from the settings, each clamped to its range.
void adjustLedType11(int gap, int rowWidth);

/// Restores the built-in table (tests).
void resetLedTypeTable();

/// The widest row of the three types: the width of every row image.
int maxRowWidth();

} // namespace tessivo
