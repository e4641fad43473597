// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/AnsiCodePage.h"
#include "glyphs/GlyphFiles.h"
#include "rows/LedType.h"

#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <vector>

using namespace tessivo;

namespace {

using Bytes = std::vector<uint8_t>;
using SizeTable = std::array<uint8_t, glyphfile::kSizeTableBytes>;

void write(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

// A small set of glyph files whose every byte is known.
class GlyphFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        gap11 = 2;
        setAnsiCodePage(1252);
        folder = std::filesystem::path(dir.path().toStdString());

        // 7 LEDs: stored byte of slot n, data byte k is n + k * 16 (so bit 3 varies).
        Bytes ascii7(4 + 105 * 10, 0xEE);
        for (int n = 32; n <= 136; ++n)
            for (int k = 0; k < 5; ++k)
                ascii7[size_t(4 + (n - 32) * 10 + 2 * k)] = uint8_t(n + k * 16);
        files["THE_7ASCII.bin"] = ascii7;
        files["THE_11ASCII.bin"] = slotFile(95, 32, 0x11);
        files["THE_11FH.bin"] = slotFile(15, 64, 0x22);
        files["THE_16ASCII.bin"] = slotFile(95, 32, 0x33);
        files["THE_16FH.bin"] = slotFile(15, 64, 0x44);

        sizes11.fill(0);
        sizes16.fill(0);
        for (uint16_t code : {uint16_t(1), uint16_t('A'), uint16_t(0x4E2D), uint16_t(0x00E9)}) {
            const bool wide = code == 0x4E2D;
            sizes11[2 * code] = wide ? 11 : 6;
            sizes11[2 * code + 1] = 11;
            sizes16[2 * code] = wide ? 16 : 8;
            sizes16[2 * code + 1] = 16;
        }
        files["UserZK11.fnt"] = userLibrary(sizes11);
        files["UserZK16.fnt"] = userLibrary(sizes16);
    }
    void TearDown() override { FreeGlyphFiles(); }

    // Slot s, data byte k holds the complement of (base + s + k).
    static Bytes slotFile(int count, int size, uint8_t base)
    {
        Bytes bytes(size_t(4 + count * size), 0x5A);
        for (int s = 0; s < count; ++s)
            for (int k = 0; k < size / 2; ++k)
                bytes[size_t(4 + s * size + 2 * k)] = uint8_t(~(base + s + k));
        return bytes;
    }
    // Each glyph's byte i is (code + i) | 1, glyphs back to back in code order.
    static Bytes userLibrary(const SizeTable &sizes)
    {
        Bytes bytes;
        for (int code = 0; code < 65536; ++code) {
            const int length = sizes[size_t(2 * code)] * bytesPerColumn(sizes[size_t(2 * code + 1)]);
            for (int i = 0; i < length; ++i)
                bytes.push_back(uint8_t((code + i) | 1));
        }
        return bytes;
    }

    void load(std::initializer_list<const char *> leaveOut = {})
    {
        for (const auto &[name, bytes] : files) {
            if (std::find_if(leaveOut.begin(), leaveOut.end(),
                             [&](const char *n) { return name == n; }) == leaveOut.end())
                write(folder / name, bytes);
        }
        LoadGlyphFiles(folder, sizes11, sizes16);
    }

    /// The 11-LED lookup with the gap of the test's settings.
    static inline int gap11 = 2;
    static bool GetGlyph11(uint16_t code, ChrRecord &record)
    {
        return tessivo::GetGlyph11(code, record, gap11);
    }

    static ChrRecord lookup(bool (*fn)(uint16_t, ChrRecord &), uint16_t code, bool *found = nullptr)
    {
        ChrRecord record = emptyRecord();
        const bool ok = fn(code, record);
        if (found)
            *found = ok;
        return record;
    }

    QTemporaryDir dir;
    std::filesystem::path folder;
    std::map<std::string, Bytes> files;
    SizeTable sizes11{}, sizes16{};
};

} // namespace

TEST_F(GlyphFiles, SevenLedAsciiGetsABlankRightColumnAndMovedRowBits)
{
    load();
    bool found = false;
    const ChrRecord a = lookup(&GetGlyph7, 'A', &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(a.kind, glyphkind::kAscii);
    EXPECT_EQ(int(a.width), 6);
    EXPECT_EQ(int(a.height), 7);
    EXPECT_EQ(a.byteCount, 6);
    EXPECT_EQ(a.columns[0], 0);
    for (int k = 0; k < 5; ++k) {
        const uint8_t stored = uint8_t('A' + k * 16);
        EXPECT_EQ(a.columns[1 + k], (stored & 0xF0) | ((stored & 0x07) << 1)) << k;
    }
}

TEST_F(GlyphFiles, SevenLedSymbolsSitBehindTheAscii)
{
    load();
    const ChrRecord first = lookup(&GetGlyph7, 18);
    EXPECT_EQ(first.kind, glyphkind::kSymbol);
    // Code 18 reads narrow code 127: slot 95, file offset 954.
    EXPECT_EQ(first.columns[1], ((127 & 0xF0) | ((127 & 0x07) << 1)) & 0xFF);
    const ChrRecord last = lookup(&GetGlyph7, 27);
    const uint8_t stored = uint8_t(136 + 4 * 16);  // offset 1044, data byte 4
    EXPECT_EQ(last.columns[5], (stored & 0xF0) | ((stored & 0x07) << 1));
    bool found = true;
    lookup(&GetGlyph7, 17, &found);
    EXPECT_FALSE(found);
    lookup(&GetGlyph7, 127, &found);
    EXPECT_FALSE(found);
}

TEST_F(GlyphFiles, SevenLedFollowsTheCodePage)
{
    load();
    bool found = false;
    // Not in code page 1252: shown as the question mark.
    const ChrRecord han = lookup(&GetGlyph7, 0x4E2D, &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(han.columns[1], lookup(&GetGlyph7, '?').columns[1]);
    // In 1252 but above ASCII: not found.
    lookup(&GetGlyph7, 0x00E9, &found);
    EXPECT_FALSE(found);
    // Encoded in two bytes in code page 936: its lead byte is no glyph.
    setAnsiCodePage(936);
    lookup(&GetGlyph7, 0x4E2D, &found);
    EXPECT_FALSE(found);
    lookup(&GetGlyph7, 'A', &found);
    EXPECT_TRUE(found);
}

TEST(AnsiCodePage, LocalesPickTheWindowsCodePage)
{
    EXPECT_EQ(codePageForLocale("zh_CN.UTF-8"), 936);
    EXPECT_EQ(codePageForLocale("zh_TW.UTF-8"), 950);
    EXPECT_EQ(codePageForLocale("zh_HK"), 950);
    EXPECT_EQ(codePageForLocale("ja_JP.UTF-8"), 932);
    EXPECT_EQ(codePageForLocale("ko_KR.EUC-KR"), 949);
    EXPECT_EQ(codePageForLocale("de_DE.UTF-8"), 1252);
    EXPECT_EQ(codePageForLocale("C"), 1252);
    EXPECT_EQ(codePageForLocale(""), 1252);
    EXPECT_EQ(ansiFirstByte(0x20AC, 1252), 0x80);  // the euro sign
    EXPECT_EQ(ansiFirstByte(0xD800, 1252), '?');   // a lone surrogate
    EXPECT_EQ(ansiFirstByte(0x3042, 932), 0x82);   // hiragana a: lead byte
    EXPECT_EQ(ansiFirstByte(0xAC00, 936), '?');
}

TEST(AnsiCodePage, TheBuiltInWindows1252AgreesWithTheConverterOnEveryCodeUnit)
{
    int differing = 0;
    for (int code = 0; code < 65536; ++code) {
        const std::optional<QByteArray> converted = encodeCodePage(QString(QChar(char16_t(code))), 1252);
        const uint8_t expected = converted && converted->size() == 1 ? uint8_t(converted->at(0)) : uint8_t('?');
        if (windows1252Byte(uint16_t(code)) != expected && ++differing < 5)
            ADD_FAILURE() << "U+" << std::hex << code << ": " << int(windows1252Byte(uint16_t(code))) << " against "
                          << int(expected);
        if (ansiFirstByte(uint16_t(code), 1252) != windows1252Byte(uint16_t(code)) && ++differing < 5)
            ADD_FAILURE() << "U+" << std::hex << code << " is looked up through another table";
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(GlyphFiles, ElevenAndSixteenLedBuiltInsAreComplemented)
{
    load();
    const ChrRecord a11 = lookup(&GetGlyph11, 'A');
    EXPECT_EQ(a11.kind, glyphkind::kAscii);
    EXPECT_EQ(int(a11.width), 8);
    EXPECT_EQ(int(a11.height), 16);
    EXPECT_EQ(a11.byteCount, 16);
    EXPECT_EQ(a11.columns[0], uint8_t(0x11 + 33));
    EXPECT_EQ(a11.columns[15], uint8_t(0x11 + 33 + 15));

    // Symbol 1 is index 0; the 11-LED slot's first 16 bytes are not read.
    const ChrRecord s11 = lookup(&GetGlyph11, 1);
    EXPECT_EQ(s11.kind, glyphkind::kSymbol);
    EXPECT_EQ(int(s11.width), 12);
    EXPECT_EQ(s11.byteCount, 24);
    EXPECT_EQ(s11.columns[0], uint8_t(0x22 + 8));
    const ChrRecord s14 = lookup(&GetGlyph16, 18);  // index 14
    EXPECT_EQ(int(s14.width), 16);
    EXPECT_EQ(s14.byteCount, 32);
    EXPECT_EQ(s14.columns[0], uint8_t(0x44 + 14));
    EXPECT_EQ(s14.columns[31], uint8_t(0x44 + 14 + 31));
    const ChrRecord z16 = lookup(&GetGlyph16, 'z');
    EXPECT_EQ(z16.columns[0], uint8_t(0x33 + 'z' - 32));
}

TEST_F(GlyphFiles, SymbolCodes)
{
    const std::pair<int, int> cases[] = {{0, -1}, {1, 0}, {8, 7}, {9, -1}, {10, -1}, {11, 8},
                                         {12, 9}, {13, -1}, {14, 10}, {18, 14}, {19, -1}};
    for (const auto &[code, index] : cases)
        EXPECT_EQ(symbolIndex(uint16_t(code)), index) << code;
}

TEST_F(GlyphFiles, LibraryCharactersComeFromTheUserLibraryWithTheGap)
{
    load();
    bool found = false;
    const ChrRecord han = lookup(&GetGlyph11, 0x4E2D, &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(han.kind, glyphkind::kLibrary);
    EXPECT_EQ(int(han.width), 11 + 2);
    EXPECT_EQ(int(han.height), 11);
    EXPECT_EQ(han.byteCount, 22 + 4);
    EXPECT_EQ(han.columns[0] | han.columns[1] | han.columns[2] | han.columns[3], 0);
    EXPECT_EQ(han.columns[4], uint8_t((0x4E2D + 0) | 1));
    EXPECT_EQ(han.columns[25], uint8_t((0x4E2D + 21) | 1));

    const ChrRecord han16 = lookup(&GetGlyph16, 0x4E2D);
    EXPECT_EQ(int(han16.width), 16);
    EXPECT_EQ(han16.byteCount, 32);
    EXPECT_EQ(han16.columns[0], uint8_t(0x4E2D | 1));
    // The offset is the sum of the glyphs before it: codes 1, 'A' and 0xE9.
    EXPECT_EQ(userLibraryOffset(1, 0x4E2D), 3 * 16);
}

TEST_F(GlyphFiles, AMissingBuiltInFallsBackToTheUserLibrary)
{
    load({"THE_11ASCII.bin", "THE_11FH.bin"});
    EXPECT_FALSE(isBuiltinLoaded(glyphfile::k11Ascii));
    const ChrRecord a = lookup(&GetGlyph11, 'A');
    EXPECT_EQ(a.kind, glyphkind::kAscii);
    EXPECT_EQ(int(a.width), 6 + 2);
    EXPECT_EQ(int(a.height), 11);
    EXPECT_EQ(a.byteCount, 12 + 4);
    const ChrRecord symbol = lookup(&GetGlyph11, 1);
    EXPECT_EQ(symbol.kind, glyphkind::kSymbol);
    EXPECT_EQ(int(symbol.width), 8);
    // Symbol 2 has no size in this library: found with the gap alone.
    const ChrRecord blank = lookup(&GetGlyph11, 2);
    EXPECT_EQ(int(blank.width), 2);
}

TEST_F(GlyphFiles, LargerGapAddsBlankColumns)
{
    gap11 = 4;
    load();
    const ChrRecord han = lookup(&GetGlyph11, 0x4E2D);
    EXPECT_EQ(int(han.width), 15);
    EXPECT_EQ(han.byteCount, 22 + 8);
}

TEST_F(GlyphFiles, ControlCodesAreNoSymbolsAndHaveNoSize)
{
    load();
    for (uint16_t code : {uint16_t(0), uint16_t(9), uint16_t(10), uint16_t(13)}) {
        bool found = false;
        const ChrRecord r11 = lookup(&GetGlyph11, code, &found);
        EXPECT_TRUE(found) << code;
        EXPECT_EQ(r11.kind, glyphkind::kLibrary);
        // The 11-LED type finds them as blank gap columns that a row can take.
        EXPECT_EQ(int(r11.width), 2) << code;
        EXPECT_EQ(int(r11.height), 11) << code;
        EXPECT_EQ(r11.byteCount, 4) << code;
        EXPECT_TRUE(fitsRowHeight(r11, 11)) << code;
        for (int i = 0; i < r11.byteCount; ++i)
            EXPECT_EQ(r11.columns[i], 0);
        // The 16-LED type keeps width 0, which a row refuses.
        const ChrRecord r16 = lookup(&GetGlyph16, code, &found);
        EXPECT_EQ(int(r16.width), 0) << code;
        EXPECT_FALSE(fitsRowHeight(r16, 16));
    }
    gap11 = 0;  // without a gap there is nothing to take
    EXPECT_EQ(int(lookup(&GetGlyph11, 9).width), 0);
}

TEST_F(GlyphFiles, MissingUserLibraryFindsNoLibraryCharacter)
{
    load({"UserZK16.fnt"});
    EXPECT_FALSE(isUserLibraryPresent(1));
    bool found = true;
    const ChrRecord r = lookup(&GetGlyph16, 0x4E2D, &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(r.kind, glyphkind::kLibrary);
    lookup(&GetGlyph16, 'A', &found);
    EXPECT_TRUE(found);
}

TEST_F(GlyphFiles, UserLibraryChangesAreSeenByTheNextLookup)
{
    load();
    const std::filesystem::path library = folder / "UserZK16.fnt";
    // Cut short inside the glyph: the missing bytes stay 0.
    std::filesystem::resize_file(library, 3 * 16 + 5);
    ChrRecord r = lookup(&GetGlyph16, 0x4E2D);
    EXPECT_EQ(r.byteCount, 32);
    EXPECT_EQ(r.columns[4], uint8_t((0x4E2D + 4) | 1));
    EXPECT_EQ(r.columns[5], 0);
    // Gone altogether: not found.
    std::filesystem::remove(library);
    bool found = true;
    lookup(&GetGlyph16, 0x4E2D, &found);
    EXPECT_FALSE(found);
}

TEST_F(GlyphFiles, BuiltInFileSizeLimitAndShortFiles)
{
    files["THE_16ASCII.bin"].resize(32768, 0);
    files["THE_16FH.bin"].resize(32769, 0);
    files["THE_11ASCII.bin"].resize(4 + 32 * 10);  // only ' ' to ')'
    files["THE_7ASCII.bin"].resize(0);
    load();
    EXPECT_TRUE(isBuiltinLoaded(glyphfile::k16Ascii));
    EXPECT_FALSE(isBuiltinLoaded(glyphfile::k16Symbols));
    EXPECT_FALSE(isBuiltinLoaded(glyphfile::k7Ascii));
    bool found = false;
    lookup(&GetGlyph11, ')', &found);
    EXPECT_TRUE(found);
    lookup(&GetGlyph11, '*', &found);
    EXPECT_FALSE(found);
    lookup(&GetGlyph7, 'A', &found);
    EXPECT_FALSE(found);
}

TEST_F(GlyphFiles, GetGlyphDispatchesBySource)
{
    load();
    const LedTypeTable types;
    const GlyphSource files;
    ChrRecord record = emptyRecord();
    EXPECT_TRUE(GetGlyph(files, 'A', types[ledtype::k16], record));
    EXPECT_EQ(int(record.width), 8);
    record = emptyRecord();
    LedTypeInfo unknown = types[ledtype::k16];
    unknown.id = 3;
    EXPECT_FALSE(GetGlyph(files, 'A', unknown, record));
    // The installed font, which this build of the model tests leaves empty.
    record = emptyRecord();
    EXPECT_FALSE(GetGlyph({false, QStringLiteral("DejaVu Sans")}, 'A', types[ledtype::k16], record));
}

TEST_F(GlyphFiles, DamagedSizeTablesNeverOverflowARecord)
{
    sizes11[2 * 0x4E2D] = 255;
    sizes11[2 * 0x4E2D + 1] = 255;
    sizes16[2 * 'A'] = 40;  // 40 x 2 bytes: more than the record holds
    files["UserZK11.fnt"] = userLibrary(sizes11);
    files["UserZK16.fnt"] = userLibrary(sizes16);
    load({"THE_16ASCII.bin"});
    bool found = true;
    lookup(&GetGlyph11, 0x4E2D, &found);
    EXPECT_FALSE(found);
    lookup(&GetGlyph16, 'A', &found);
    EXPECT_FALSE(found);
}
