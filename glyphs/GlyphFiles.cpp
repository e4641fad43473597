// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/GlyphFiles.h"

#include "glyphs/SysFontGlyph.h"
#include "settings/AnsiCodePage.h"
#include "settings/RegularFile.h"

#include <array>
#include <system_error>
#include <vector>

namespace tessivo {
namespace {

struct GlyphSourceState {
    std::array<std::vector<uint8_t>, 5> builtin;
    std::array<bool, 5> loaded{};
    std::array<std::filesystem::path, 2> userPath;
    std::array<bool, 2> userPresent{};
    std::array<const uint8_t *, 2> sizes{};
    // The built-in tables are spread out only when a user library is first read.
    using SizeTable = std::span<const uint8_t, glyphfile::kSizeTableBytes> (*)();
    std::array<SizeTable, 2> builtinSizes{};
    std::array<std::vector<int32_t>, 2> offsets;
};

GlyphSourceState state;

constexpr int kUser11 = 0, kUser16 = 1;

bool readWholeFile(const std::filesystem::path &path, std::vector<uint8_t> &buffer)
{
    const FileBytes file = readRegularFile(path, glyphfile::kMaxBuiltinSize);
    if (file.status != ReadStatus::Read || file.cut || file.bytes.isEmpty())
        return false;
    buffer.assign(file.bytes.cbegin(), file.bytes.cend());
    return true;
}

/// The slot's bytes when the built-in file is loaded and holds the whole slot.
const uint8_t *builtinSlot(int file, int64_t offset, int64_t slotSize)
{
    if (!state.loaded[size_t(file)] || offset < 0)
        return nullptr;
    const std::vector<uint8_t> &buffer = state.builtin[size_t(file)];
    if (offset + slotSize > int64_t(buffer.size()))
        return nullptr;
    return buffer.data() + offset;
}

/// Copies every second byte of a slot, starting at `first`, complemented.
void takeComplemented(const uint8_t *slot, int first, int count, ChrRecord &record)
{
    for (int k = 0; k < count; ++k)
        record.columns[k] = uint8_t(~slot[first + 2 * k]);
}

/// A library's size table: width and height per code point, or null without one.
const uint8_t *librarySizes(int library)
{
    const uint8_t *&sizes = state.sizes[size_t(library)];
    if (!sizes && state.builtinSizes[size_t(library)])
        sizes = state.builtinSizes[size_t(library)]().data();
    return sizes;
}

/// The offsets of a library's glyphs, one for each code point, computed on first use;
/// empty without a size table.
const std::vector<int32_t> &libraryOffsets(int library)
{
    std::vector<int32_t> &offsets = state.offsets[size_t(library)];
    const uint8_t *sizes = librarySizes(library);
    if (offsets.empty() && sizes) {
        offsets.assign(65536, 0);
        int32_t offset = 0;
        for (int code = 0; code < 65536; ++code) {
            offsets[size_t(code)] = offset;
            offset += sizes[2 * code] * bytesPerColumn(sizes[2 * code + 1]);
        }
    }
    return offsets;
}

/// Reads code point `code` from a user library into the record, `gap` blank columns
/// first. One open, seek, read and close per lookup. A code point of size 0 x 0 (tab,
/// line breaks, zero-width marks) is found as `gap` blank columns `blankHeight` rows
/// high: a row can take it when the gap is not 0.
bool readUserGlyph(int library, uint16_t code, int gap, int blankHeight, ChrRecord &record)
{
    const uint8_t *sizes = librarySizes(library);
    if (!sizes || libraryOffsets(library).empty())
        return false;
    ReadOnlyFile file;
    if (file.open(state.userPath[size_t(library)]) != ReadStatus::Read)
        return false;
    const int width = sizes[2 * code];
    const int height = sizes[2 * code + 1] > 0 ? sizes[2 * code + 1] : blankHeight;
    const int bytes = width * bytesPerColumn(sizes[2 * code + 1]);
    const int gapBytes = gap * bytesPerColumn(height);
    if (gapBytes + bytes > kColumnBytes)
        return false;
    record.width = width + gap;
    record.height = height;
    // A short read leaves the missing bytes 0, as the caller cleared them.
    if (bytes > 0)
        file.readAt(libraryOffsets(library)[code], reinterpret_cast<char *>(record.columns + gapBytes), bytes);
    record.byteCount = uint8_t(bytes + gapBytes);
    return true;
}

} // namespace

int symbolIndex(uint16_t code)
{
    if (code >= 1 && code <= 8)
        return code - 1;
    if (code == 11 || code == 12)
        return code - 3;
    if (code >= 14 && code <= 18)
        return code - 4;
    return -1;
}

namespace {

void loadGlyphFiles(const std::filesystem::path &libFolder, std::array<const uint8_t *, 2> tables,
                    std::array<GlyphSourceState::SizeTable, 2> builtinTables)
{
    for (int file = 0; file < 5; ++file) {
        state.builtin[size_t(file)].clear();
        state.loaded[size_t(file)] =
            readWholeFile(libFolder / glyphfile::kBuiltinNames[file], state.builtin[size_t(file)]);
    }
    for (int library = 0; library < 2; ++library) {
        // The glyphs' offsets in the library follow from the sizes when first needed.
        state.offsets[size_t(library)].clear();
        state.sizes[size_t(library)] = tables[size_t(library)];
        state.builtinSizes[size_t(library)] = builtinTables[size_t(library)];
        state.userPath[size_t(library)] = libFolder / glyphfile::kUserNames[library];
        std::error_code error;
        state.userPresent[size_t(library)] =
            std::filesystem::is_regular_file(state.userPath[size_t(library)], error);
    }
}

} // namespace

void LoadGlyphFiles(const std::filesystem::path &libFolder)
{
    loadGlyphFiles(libFolder, {}, {&builtinSizeTable11, &builtinSizeTable16});
}

void LoadGlyphFiles(const std::filesystem::path &libFolder,
                    std::span<const uint8_t, glyphfile::kSizeTableBytes> sizes11,
                    std::span<const uint8_t, glyphfile::kSizeTableBytes> sizes16)
{
    loadGlyphFiles(libFolder, {sizes11.data(), sizes16.data()}, {});
}

void FreeGlyphFiles()
{
    for (int file = 0; file < 5; ++file) {
        state.builtin[size_t(file)] = {};
        state.loaded[size_t(file)] = false;
    }
    for (int library = 0; library < 2; ++library) {
        state.offsets[size_t(library)] = {};
        state.sizes[size_t(library)] = nullptr;
        state.builtinSizes[size_t(library)] = nullptr;
        state.userPresent[size_t(library)] = false;
    }
    FreeTypeFonts();
}

bool isBuiltinLoaded(int file) { return file >= 0 && file < 5 && state.loaded[size_t(file)]; }

bool isUserLibraryPresent(int library)
{
    return library >= 0 && library < 2 && state.userPresent[size_t(library)];
}

int32_t userLibraryOffset(int library, uint16_t code)
{
    if (library < 0 || library >= 2 || libraryOffsets(library).empty())
        return 0;
    return libraryOffsets(library)[code];
}

bool GetGlyph7(uint16_t code, ChrRecord &record)
{
    int narrow = ansiFirstByte(code);
    if (narrow >= 18 && narrow <= 27) {
        record.kind = glyphkind::kSymbol;
        narrow += 109;  // the symbols sit behind the ASCII slots, at 127-136
    } else if (narrow >= 32 && narrow <= 126) {
        record.kind = glyphkind::kAscii;
    } else {
        return false;
    }
    const uint8_t *slot = builtinSlot(glyphfile::k7Ascii, 4 + int64_t(narrow - 32) * 10, 10);
    if (!slot)
        return false;
    record.width = 6;
    record.height = 7;
    record.byteCount = 6;
    record.columns[0] = 0;  // every 7-LED character has one blank column on its right
    for (int k = 0; k < 5; ++k) {
        const uint8_t stored = slot[2 * k];
        // Rows 7-4 stay, rows 2-0 move up one bit; bit 3 of the stored byte is unused.
        record.columns[1 + k] = uint8_t((stored & 0xF0) | ((stored & 0x07) << 1));
    }
    return true;
}

namespace {

/// What tells the 11- and 16-LED lookups apart: their built-in files, where the data
/// bytes of a symbol slot start, the glyph sizes those files hold, and their library.
struct WideTypeFiles {
    int symbolFile;
    int symbolFirstByte;  // the first 16 bytes of an 11-LED symbol slot are not read
    int symbolBytes;
    int symbolWidth;
    int asciiFile;
    int library;
    int blankHeight;      // the height of a 0 x 0 code point's gap columns
};
constexpr WideTypeFiles k11Files{glyphfile::k11Symbols, 16, 24, 12, glyphfile::k11Ascii, kUser11, 11};
constexpr WideTypeFiles k16Files{glyphfile::k16Symbols, 0, 32, 16, glyphfile::k16Ascii, kUser16, 16};

/// Symbols and ASCII come from the built-in files, every other character from the
/// user library; whenever a built-in file is not loaded, its codes come from the user
/// library too.
bool getWideGlyph(const WideTypeFiles &files, uint16_t code, int gap, ChrRecord &record)
{
    if (const int symbol = symbolIndex(code); symbol >= 0) {
        record.kind = glyphkind::kSymbol;
        record.byteCount = uint8_t(files.symbolBytes);
        if (!isBuiltinLoaded(files.symbolFile))
            return readUserGlyph(files.library, code, gap, files.blankHeight, record);
        const uint8_t *slot = builtinSlot(files.symbolFile, 4 + int64_t(symbol) * 64, 64);
        if (!slot)
            return false;
        record.width = files.symbolWidth;
        record.height = 16;
        takeComplemented(slot, files.symbolFirstByte, files.symbolBytes, record);
        return true;
    }
    if (code >= 32 && code <= 126) {
        record.kind = glyphkind::kAscii;
        record.byteCount = 16;
        if (!isBuiltinLoaded(files.asciiFile))
            return readUserGlyph(files.library, code, gap, files.blankHeight, record);
        const uint8_t *slot = builtinSlot(files.asciiFile, 4 + int64_t(code - 32) * 32, 32);
        if (!slot)
            return false;
        record.width = 8;
        record.height = 16;
        takeComplemented(slot, 0, 16, record);
        return true;
    }
    record.kind = glyphkind::kLibrary;
    if (!state.userPresent[size_t(files.library)])
        return false;
    return readUserGlyph(files.library, code, gap, files.blankHeight, record);
}

} // namespace

bool GetGlyph11(uint16_t code, ChrRecord &record, int gap)
{
    return getWideGlyph(k11Files, code, gap, record);
}

bool GetGlyph16(uint16_t code, ChrRecord &record)
{
    return getWideGlyph(k16Files, code, 0, record);
}

bool GetGlyph(const GlyphSource &source, uint16_t code, const LedTypeInfo &type, ChrRecord &record)
{
    if (!source.userFont)
        return GetSysFontGlyph(source.face, type, code, record);
    switch (type.id) {
    case ledtype::k7: return GetGlyph7(code, record);
    case ledtype::k11: return GetGlyph11(code, record, type.gap);
    case ledtype::k16: return GetGlyph16(code, record);
    default: return false;
    }
}

} // namespace tessivo
