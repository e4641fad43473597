// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph files that ship in LIB and the lookup that turns a character code and an
// LED type into a filled ChrRecord. The five small built-in files are held in memory;
// the two user libraries stay on disk and are read one glyph per lookup.

#include "rows/ChrRecord.h"
#include "rows/LedType.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <span>

namespace tessivo {

namespace glyphfile {
/// The built-in files, in the order of their buffers.
constexpr const char *kBuiltinNames[5] = {"THE_7ASCII.bin", "THE_11ASCII.bin", "THE_11FH.bin",
                                          "THE_16ASCII.bin", "THE_16FH.bin"};
constexpr int k7Ascii = 0, k11Ascii = 1, k11Symbols = 2, k16Ascii = 3, k16Symbols = 4;
constexpr const char *kUserNames[2] = {"UserZK11.fnt", "UserZK16.fnt"};
constexpr int kMaxBuiltinSize = 32768;
constexpr int kSizeTableBytes = 65536 * 2;
}

/// The size tables built into the program: width and height per code point.
std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable11();
std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable16();

/// Loads the built-in files from `libFolder`, builds the user libraries' offset tables
/// from the built-in size tables and notes which libraries exist. Never fails as a
/// whole: a file that cannot be used is left out. The loaded data is the program's for
/// the whole run and never changes until it is freed.
void LoadGlyphFiles(const std::filesystem::path &libFolder);
/// The same with other size tables (tests build their own libraries).
void LoadGlyphFiles(const std::filesystem::path &libFolder,
                    std::span<const uint8_t, glyphfile::kSizeTableBytes> sizes11,
                    std::span<const uint8_t, glyphfile::kSizeTableBytes> sizes16);
/// Releases the glyph data and the installed fonts.
void FreeGlyphFiles();

/// Where typed characters come from: the glyph files, or the installed font `face`.
struct GlyphSource {
    bool userFont = true;
    QString face = QStringLiteral(u"宋体");
    bool operator==(const GlyphSource &) const = default;
};

/// Looks a character up for an LED type into a record whose kind, byte count and
/// columns are 0. With the glyph files as source the per-type lookups answer, else the
/// installed font. The caller sets the record's code.
bool GetGlyph(const GlyphSource &source, uint16_t code, const LedTypeInfo &type, ChrRecord &record);
bool GetGlyph7(uint16_t code, ChrRecord &record);
/// `gap` blank columns go right of every user-library glyph of the 11-LED type.
bool GetGlyph11(uint16_t code, ChrRecord &record, int gap);
bool GetGlyph16(uint16_t code, ChrRecord &record);

/// The symbol index 0-14 of an 11- or 16-LED symbol code, or -1.
int symbolIndex(uint16_t code);

/// What the loader found (for the program's checks and the tests).
bool isBuiltinLoaded(int file);
bool isUserLibraryPresent(int library);  // 0: 11-LED, 1: 16-LED
int32_t userLibraryOffset(int library, uint16_t code);

} // namespace tessivo
