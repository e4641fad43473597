// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph data the build generates into LIB, and the size tables built into the program.

#include "glyphs/GlyphFiles.h"
#include "rows/LedType.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

const std::filesystem::path kLib = TESSIVO_LIB_DIR;

struct Size {
    int width, height;
    bool operator==(const Size &) const = default;
};

Size size11(int code) { return {builtinSizeTable11()[2 * code], builtinSizeTable11()[2 * code + 1]}; }
Size size16(int code) { return {builtinSizeTable16()[2 * code], builtinSizeTable16()[2 * code + 1]}; }

int64_t libraryLength(std::span<const uint8_t, glyphfile::kSizeTableBytes> sizes)
{
    int64_t length = 0;
    for (int code = 0; code < 65536; ++code)
        length += sizes[2 * code] * bytesPerColumn(sizes[2 * code + 1]);
    return length;
}

} // namespace

TEST(GlyphData, SizeTablesHoldTheTellingRows)
{
    for (int code : {0, 8, 11, 12, 14, 27, 32, 65, 127}) {
        EXPECT_EQ(size11(code), (Size{6, 11})) << code;
        EXPECT_EQ(size16(code), (Size{8, 16})) << code;
    }
    for (int code : {0x80, 0x3000, 0x4E00, 0xAC00, 0xFF01}) {
        EXPECT_EQ(size11(code), (Size{11, 11})) << code;
        EXPECT_EQ(size16(code), (Size{16, 16})) << code;
    }
    EXPECT_EQ(size11(0x2000), (Size{7, 11}));
    EXPECT_EQ(size16(0x2000), (Size{10, 16}));
    for (int code : {9, 10, 13, 28, 31, 133, 0x300, 8203, 8207, 8233, 8238, 8298, 8303, 65279, 65534, 65535}) {
        EXPECT_EQ(size11(code), (Size{0, 0})) << code;
        EXPECT_EQ(size16(code), (Size{0, 0})) << code;
    }
}

TEST(GlyphData, EveryEntryFitsARecordAndBothTablesAgreeOnEmptyCodes)
{
    int zero = 0;
    for (int code = 0; code < 65536; ++code) {
        const Size s11 = size11(code), s16 = size16(code);
        EXPECT_EQ(s11.width == 0, s16.width == 0) << code;
        if (s11.width == 0) {
            ++zero;
            continue;
        }
        ASSERT_EQ(s11.height, 11) << code;
        ASSERT_EQ(s16.height, 16) << code;
        ASSERT_LE(s11.width, 16) << code;
        ASSERT_LE(s16.width, 36) << code;
    }
    EXPECT_GT(zero, 100);
    EXPECT_LT(zero, 400);
}

TEST(GlyphData, FilesHaveTheirFormatsLengths)
{
    const std::pair<const char *, uintmax_t> builtins[] = {
        {"THE_7ASCII.bin", 4 + 105 * 10}, {"THE_11ASCII.bin", 4 + 95 * 32}, {"THE_11FH.bin", 4 + 15 * 64},
        {"THE_16ASCII.bin", 4 + 95 * 32}, {"THE_16FH.bin", 4 + 15 * 64}};
    for (const auto &[name, length] : builtins)
        EXPECT_EQ(std::filesystem::file_size(kLib / name), length) << name;
    EXPECT_EQ(int64_t(std::filesystem::file_size(kLib / "UserZK11.fnt")), libraryLength(builtinSizeTable11()));
    EXPECT_EQ(int64_t(std::filesystem::file_size(kLib / "UserZK16.fnt")), libraryLength(builtinSizeTable16()));
}

TEST(GlyphData, ShippedGlyphsDrawSomething)
{
    const LedTypeTable types;
    const GlyphSource files;
    LoadGlyphFiles(kLib);
    const auto lit = [](const ChrRecord &r) {
        int count = 0;
        for (int i = 0; i < r.byteCount; ++i)
            count += std::popcount(r.columns[i]);
        return count;
    };
    for (int type = 0; type < 3; ++type) {
        for (uint16_t code : {uint16_t('A'), uint16_t('g'), uint16_t(1), uint16_t(18), uint16_t(0x4E2D)}) {
            if (type == 0 && code == 1)
                continue;  // no symbol in the 7-LED type
            if (type == 0 && code == 0x4E2D)
                continue;
            ChrRecord record = emptyRecord();
            ASSERT_TRUE(GetGlyph(files, code, types[type], record)) << type << " " << code;
            EXPECT_GT(lit(record), 3) << type << " " << code;
        }
    }
    ChrRecord space = emptyRecord();
    ASSERT_TRUE(GetGlyph(files, ' ', types[ledtype::k16], space));
    EXPECT_EQ(lit(space), 0);
    ChrRecord hangul = emptyRecord();
    ASSERT_TRUE(GetGlyph(files, 0xAC00, types[ledtype::k11], hangul));
    EXPECT_EQ(int(hangul.width), 13);
    FreeGlyphFiles();
}
