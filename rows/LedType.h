// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The three LED types of the blade. The table is a value: built from the settings'
// 11-LED gap and row width at start-up and handed to the document, which hands it to
// every row; each row keeps its own copy of its type's entry.

#include <array>
#include <cstddef>
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

class LedTypeTable {
public:
    /// The built-in table with the 11-LED gap and row width of the settings, each
    /// clamped to its range (the defaults are what a program without settings uses).
    explicit LedTypeTable(int gap11 = ledtype::kGap11Default,
                          int rowWidth11 = ledtype::kRowWidth11Default);

    /// The entry of a type (outside 0-2 the 7-LED entry).
    const LedTypeInfo &operator[](int type) const { return entries_[size_t(clampLedType(type))]; }
    /// The widest row of the three types: the width of every row image.
    int maxRowWidth() const;

    bool operator==(const LedTypeTable &other) const;

private:
    std::array<LedTypeInfo, ledtype::kCount> entries_;
};

// The row input window's margins in LED units, and so its height in pixels.
constexpr int rowMarginX(const LedTypeInfo &info) { return info.scaleX > 1 ? 1 : 3; }
constexpr int rowMarginY(const LedTypeInfo &info) { return info.id == ledtype::k11 ? 2 : 1; }
/// (ledCount + 2 x (marginX + marginY) + 2) x scaleX: 26, 23 and 26 pixels.
constexpr int rowWindowHeight(const LedTypeInfo &info)
{
    return (info.ledCount + 2 * (rowMarginX(info) + rowMarginY(info)) + 2) * info.scaleX;
}

} // namespace tessivo
