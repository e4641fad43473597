// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The shared, fixed-layout types of a message row. ChrRecord and RowState are stored
// byte for byte in project files and on the clipboard, so their layout never changes.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessivo {

static_assert(std::endian::native == std::endian::little,
              "records are stored as little-endian bytes");

constexpr int kColumnBytes = 72;   // column bytes of one character
constexpr int kMaxRowChars = 50;   // characters in one row
constexpr int kMessageRows = 12;   // rows of a message

#pragma pack(push, 1)
/// One character with its LED columns. Column 0 is the rightmost column as seen; each
/// column takes ceil(height / 8) bytes; bit 7 of a column's first byte is its bottom row.
struct ChrRecord {
    uint16_t code;          // 16-bit Unicode code unit
    int32_t width;          // LED columns
    int32_t height;         // LED rows
    uint8_t kind;           // 0 not set, 1 library character, 2 symbol, 3 ASCII
    uint8_t byteCount;      // valid bytes in columns, at most 72
    uint8_t columns[kColumnBytes];
};

/// A row's saved state for the history: count, then 50 records (unused ones zero).
struct RowState {
    int32_t count;
    ChrRecord records[kMaxRowChars];
};
#pragma pack(pop)

static_assert(sizeof(ChrRecord) == 84, "ChrRecord is 84 packed bytes");
static_assert(sizeof(RowState) == 4204, "RowState is 4,204 packed bytes");

namespace glyphkind {
constexpr uint8_t kNotSet = 0;
constexpr uint8_t kLibrary = 1;
constexpr uint8_t kSymbol = 2;
constexpr uint8_t kAscii = 3;
}

/// One character's place in a row.
struct RowEntry {
    uint16_t code = 0;
    int32_t x = 0;      // first column of the character in the row image
    int32_t width = 0;  // columns
};

/// Bytes a column of `height` rows takes.
constexpr int bytesPerColumn(int height) { return (height + 7) / 8; }

namespace glyphlimit {
constexpr int kMaxHeight = 16;            // the tallest glyph any source gives
constexpr int kMaxWidth = kColumnBytes;   // one byte a column at most 72 columns
}

/// Whether a record could have come from a glyph source: a width of 1 to 72 columns, a
/// height of 1 to 16 rows, a byte count within the 72 column bytes, and columns that fit
/// them. Every record from outside (project files, the clipboard) passes this one check
/// before anything else is computed from it.
constexpr bool isValidRecord(const ChrRecord &r)
{
    if (r.width < 1 || r.width > glyphlimit::kMaxWidth || r.height < 1 ||
        r.height > glyphlimit::kMaxHeight || r.byteCount > kColumnBytes)
        return false;
    return r.width * bytesPerColumn(r.height) <= kColumnBytes;
}

/// Whether a valid record fits a row of `rowHeight` LEDs: the row reads the record back
/// at its own height, so its columns must fit the 72 bytes at that height too.
constexpr bool fitsRowHeight(const ChrRecord &r, int rowHeight)
{
    return isValidRecord(r) && r.width * bytesPerColumn(rowHeight) <= kColumnBytes;
}

/// The records of a block of bytes from outside, each 84 bytes as stored; nothing when
/// the size is not a whole number of records or any record fails isValidRecord.
std::optional<std::vector<ChrRecord>> readRecords(const char *bytes, size_t size);

/// A record cleared the way the glyph lookups expect it: everything zero.
inline ChrRecord emptyRecord() { return ChrRecord{}; }

} // namespace tessivo
