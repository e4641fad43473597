// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Generates the glyph data that ships in LIB from Debian's bitmap and pixel fonts:
// the five built-in glyph files, the two user libraries and their size tables.
//
//   glyphgen --font5x7 F --font6x10 F --wqy9 F --wqy12 F --unifont F --lib DIR --tables DIR
//
// The size tables go into DIR/SizeTableData.cpp as runs of equal sizes, a source file
// that the program compiles in (any C++ compiler takes it).
//   glyphgen ... --show CODE   prints the 11- and 16-LED user glyphs of a code point
//
// Every glyph is written in the column layout of a character record: column 0 is the
// rightmost column, each column takes ceil(height / 8) bytes, bit 7 of a column's first
// byte is its bottom row, a set bit a lit LED.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;

    Bitmap(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && pixels[size_t(y * width + x)];
    }
    void set(int x, int y, bool on = true)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[size_t(y * width + x)] = on;
    }
};

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "glyphgen: %s\n", message.c_str());
    std::exit(1);
}

FT_Library library;

class Font {
public:
    Font(const std::string &path, int pixelSize)
    {
        if (FT_New_Face(library, path.c_str(), 0, &face_))
            fail("cannot open font " + path);
        if (face_->num_fixed_sizes > 0)
            FT_Select_Size(face_, 0);
        else
            FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize));
    }
    bool has(uint32_t code) const { return FT_Get_Char_Index(face_, code) != 0; }

    struct Glyph {
        Bitmap bitmap{0, 0};
        int left = 0, top = 0, advance = 0;
    };
    Glyph render(uint32_t code) const
    {
        Glyph glyph;
        const FT_UInt index = FT_Get_Char_Index(face_, code);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
            return glyph;
        const FT_GlyphSlot slot = face_->glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = int(slot->advance.x >> 6);
        glyph.bitmap = Bitmap(int(slot->bitmap.width), int(slot->bitmap.rows));
        for (int y = 0; y < glyph.bitmap.height; ++y) {
            const uint8_t *row = slot->bitmap.buffer + y * slot->bitmap.pitch;
            for (int x = 0; x < glyph.bitmap.width; ++x)
                glyph.bitmap.set(x, y, (row[x >> 3] >> (7 - (x & 7))) & 1);
        }
        return glyph;
    }
    int advance(uint32_t code) const
    {
        const FT_UInt index = FT_Get_Char_Index(face_, code);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT))
            return -1;
        return int(face_->glyph->advance.x >> 6);
    }

private:
    FT_Face face_ = nullptr;
};

/// The glyph drawn into a box `width` x `rows`, its baseline `above` rows below the
/// box's top, shifted right by `dx`.
Bitmap cell(const Font &font, uint32_t code, int width, int rows, int above, int dx = 0)
{
    Bitmap box(width, rows);
    const Font::Glyph glyph = font.render(code);
    for (int y = 0; y < glyph.bitmap.height; ++y)
        for (int x = 0; x < glyph.bitmap.width; ++x)
            if (glyph.bitmap.at(x, y))
                box.set(dx + glyph.left + x, above - glyph.top + y);
    return box;
}

/// Shrinks a picture into a smaller box: a target pixel is lit when at least 40 % of
/// the source area under it is lit.
Bitmap resample(const Bitmap &source, int width, int height)
{
    Bitmap target(width, height);
    for (int ty = 0; ty < height; ++ty)
        for (int tx = 0; tx < width; ++tx) {
            const double x0 = double(tx) * source.width / width, x1 = double(tx + 1) * source.width / width;
            const double y0 = double(ty) * source.height / height, y1 = double(ty + 1) * source.height / height;
            double lit = 0, area = 0;
            for (int sy = int(y0); sy < int(y1 + 0.999) && sy < source.height; ++sy)
                for (int sx = int(x0); sx < int(x1 + 0.999) && sx < source.width; ++sx) {
                    const double w = std::min(x1, sx + 1.0) - std::max(x0, double(sx));
                    const double h = std::min(y1, sy + 1.0) - std::max(y0, double(sy));
                    if (w <= 0 || h <= 0)
                        continue;
                    area += w * h;
                    if (source.at(sx, sy))
                        lit += w * h;
                }
            target.set(tx, ty, area > 0 && lit / area >= 0.4);
        }
    return target;
}

/// A picture from rows of '#' (lit) and '.', placed at (x, y) in a box.
Bitmap drawn(int width, int height, int x, int y, const std::vector<std::string> &rows)
{
    Bitmap box(width, height);
    for (size_t j = 0; j < rows.size(); ++j)
        for (size_t i = 0; i < rows[j].size(); ++i)
            if (rows[j][i] == '#')
                box.set(x + int(i), y + int(j));
    return box;
}

/// Column bytes of a picture, `height` rows counted from its top.
std::vector<uint8_t> columnsOf(const Bitmap &picture, int height)
{
    const int perColumn = (height + 7) / 8;
    std::vector<uint8_t> bytes(size_t(picture.width * perColumn), 0);
    for (int column = 0; column < picture.width; ++column) {
        const int x = picture.width - 1 - column;
        for (int bit = 0; bit < height; ++bit) {
            const int y = height - 1 - bit;
            if (picture.at(x, y))
                bytes[size_t(column * perColumn + bit / 8)] |= uint8_t(0x80 >> (bit % 8));
        }
    }
    return bytes;
}

void writeFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!file)
        fail("cannot write " + path.string());
}

std::vector<uint8_t> withHeader(const char tag[4], size_t slots, size_t slotSize)
{
    std::vector<uint8_t> bytes(4 + slots * slotSize, 0xFF);
    std::memcpy(bytes.data(), tag, 4);
    return bytes;
}

// The symbols of the 11- and 16-LED types, by symbol index (codes 1-8, 11, 12, 14-18).
// The heart, the notes and the smiley are drawn here; the others come from the font.
constexpr uint32_t kHeart = 0x2665, kNote = 0x266A, kNotes = 0x266B, kSmiley = 0x263A;
const std::array<uint32_t, 15> kSymbols = {kHeart, kNote,  kNotes, kSmiley, 0x2605, 0x2606, 0x25CF, 0x25C6,
                                           0x25A0, 0x25B2, 0x2190, 0x2192, 0x2191, 0x2193, 0x203B};
// The ten symbols of the 7-LED type (codes 18-27).
const std::array<uint32_t, 10> kSymbols7 = {0x2665, 0x2666, 0x2663, 0x2660, 0x266A,
                                            0x263A, 0x2190, 0x2192, 0x2191, 0x2193};

// Eleven rows inside a 12 x 16 cell (the 11-LED row shows the top eleven rows).
const std::map<uint32_t, std::vector<std::string>> kDrawn11 = {
    {kHeart, {"", "..##...##..", ".####.####.", "###########", "###########", "###########",
              ".#########.", "..#######..", "...#####...", "....###....", ".....#....."}},
    {kNote, {"....##.....", "....###....", "....#.##...", "....#..##..", "....#...#..", "....#......",
             "....#......", "..###......", ".####......", ".####......", "..##......."}},
    {kNotes, {"...#######.", "...#######.", "...#.....#.", "...#.....#.", "...#.....#.", "...#.....#.",
              ".###...###.", "####..####.", "####..####.", ".##....##..", ""}},
    {kSmiley, {"...#####...", "..#.....#..", ".#.......#.", "#..#...#..#", "#.........#", "#.........#",
               "#.#.....#.#", "#..#...#..#", ".#..###..#.", "..#.....#..", "...#####..."}},
};
const std::map<uint32_t, std::vector<std::string>> kDrawn16 = {
    {kHeart, {"", "...###...###...", "..#####.#####..", ".#############.", "###############",
              "###############", "###############", "###############", ".#############.",
              "..###########..", "...#########...", "....#######....", ".....#####.....",
              "......###......", ".......#......."}},
    {kNote, {"", "......##.......", "......###......", "......####.....", "......#.###....", "......#..###...",
             "......#...##...", "......#....#...", "......#........", "......#........", "...####........",
             "..#####........", ".######........", ".######........", "..####........."}},
    {kNotes, {"", "....##########.", "....##########.", "....#........#.", "....#........#.", "....#........#.",
              "....#........#.", "....#........#.", "....#........#.", "..###......###.", ".####.....####.",
              "#####....#####.", "#####....#####.", ".###......###..", ""}},
    {kSmiley, {"", ".....#####.....", "...##.....##...", "..#.........#..", ".#...........#.", ".#..##...##..#.",
               "#...##...##...#", "#.............#", "#.............#", "#..#.......#..#", ".#..#.....#..#.",
               ".#...#####...#.", "..#.........#..", "...##.....##...", ".....#####....."}},
};

struct Fonts {
    Font *fixed5x7, *fixed6x10, *wqy9, *wqy12, *unifont;
};

// Code points that take no room in either user library.
std::set<uint32_t> zeroSizeCodes(const Fonts &fonts)
{
    std::set<uint32_t> codes = {9, 10, 13, 28, 29, 30, 31, 133, 65279, 65534, 65535};
    for (uint32_t c = 8203; c <= 8207; ++c) codes.insert(c);
    for (uint32_t c = 8233; c <= 8238; ++c) codes.insert(c);
    for (uint32_t c = 8298; c <= 8303; ++c) codes.insert(c);
    // The combining marks of Latin, of symbols and the half marks, where the pixel font
    // draws them without advancing. Marks of other scripts keep a narrow cell.
    for (const auto &[first, last] : {std::pair{0x300u, 0x36Fu}, {0x20D0u, 0x20F0u}, {0xFE20u, 0xFE2Fu}})
        for (uint32_t c = first; c <= last; ++c)
            if (fonts.unifont->has(c) && fonts.unifont->advance(c) == 0)
                codes.insert(c);
    return codes;
}

bool isControl(uint32_t c) { return c < 32 || c == 127; }
// The C1 controls have no picture: they keep a blank full-width cell.
bool isC1Control(uint32_t c) { return c >= 0x80 && c <= 0x9F; }

struct UserGlyph {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;
};

UserGlyph userGlyph11(const Fonts &fonts, uint32_t c, const std::set<uint32_t> &zero)
{
    constexpr int kRows = 11;
    if (zero.count(c))
        return {0, 0, {}};
    if (c == 0x2000)
        return {7, kRows, std::vector<uint8_t>(14, 0)};
    if (isControl(c))
        return {6, kRows, std::vector<uint8_t>(12, 0)};
    const int unifontAdvance = fonts.unifont->has(c) ? fonts.unifont->advance(c) : -1;
    const bool narrow = unifontAdvance >= 0 && unifontAdvance <= 8;
    Bitmap picture(11, kRows);
    if (isC1Control(c)) {
        // blank
    } else if (unifontAdvance == 0) {
        picture = resample(cell(*fonts.unifont, c, 8, 16, 14, 8), 6, kRows);
    } else if (fonts.fixed6x10->has(c) && narrow) {
        picture = cell(*fonts.fixed6x10, c, 6, kRows, 9);
    } else if (fonts.wqy9->has(c)) {
        const int advance = fonts.wqy9->advance(c);
        picture = cell(*fonts.wqy9, c, advance >= 12 ? 11 : std::max(1, advance), kRows, 10);
    } else if (fonts.unifont->has(c)) {
        picture = resample(cell(*fonts.unifont, c, narrow ? 8 : 16, 16, 14), narrow ? 6 : 11, kRows);
    }
    return {picture.width, kRows, columnsOf(picture, kRows)};
}

UserGlyph userGlyph16(const Fonts &fonts, uint32_t c, const std::set<uint32_t> &zero)
{
    constexpr int kRows = 16;
    if (zero.count(c))
        return {0, 0, {}};
    if (c == 0x2000)
        return {10, kRows, std::vector<uint8_t>(20, 0)};
    if (isControl(c))
        return {8, kRows, std::vector<uint8_t>(16, 0)};
    Bitmap picture(16, kRows);
    if (isC1Control(c)) {
        // blank
    } else if (fonts.unifont->has(c)) {
        // A mark drawn without advancing gets a narrow cell of its own.
        const int advance = fonts.unifont->advance(c);
        picture = advance == 0 ? cell(*fonts.unifont, c, 8, kRows, 14, 8)
                               : cell(*fonts.unifont, c, std::clamp(advance, 1, 36), kRows, 14);
    }
    return {picture.width, kRows, columnsOf(picture, kRows)};
}

void writeBuiltinFiles(const Fonts &fonts, const std::filesystem::path &lib)
{
    // 7 LEDs: five stored bytes a character, rows 7-4 in bits 7-4, rows 3-1 in bits 2-0.
    std::vector<uint8_t> ascii7 = withHeader("TSV7", 105, 10);
    for (int n = 32; n <= 136; ++n) {
        const uint32_t code = n <= 126 ? uint32_t(n) : kSymbols7[size_t(n - 127)];
        const std::vector<uint8_t> columns = columnsOf(cell(*fonts.fixed5x7, code, 5, 7, 6), 7);
        uint8_t *slot = &ascii7[size_t(4 + (n - 32) * 10)];
        for (int k = 0; k < 5; ++k) {
            const uint8_t column = columns[size_t(k)];
            slot[2 * k] = uint8_t((column & 0xF0) | ((column >> 1) & 0x07));
        }
    }
    writeFile(lib / "THE_7ASCII.bin", ascii7);

    // 11 and 16 LEDs: complemented column bytes at the even positions of each slot.
    const auto store = [](std::vector<uint8_t> &file, size_t slot, size_t first, const Bitmap &picture) {
        const std::vector<uint8_t> columns = columnsOf(picture, 16);
        for (size_t k = 0; k < columns.size(); ++k)
            file[slot + first + 2 * k] = uint8_t(~columns[k]);
    };
    std::vector<uint8_t> ascii11 = withHeader("TS11", 95, 32);
    std::vector<uint8_t> ascii16 = withHeader("TS16", 95, 32);
    for (uint32_t c = 32; c <= 126; ++c) {
        // An 11-LED row shows the top eleven of the sixteen rows.
        store(ascii11, 4 + (c - 32) * 32, 0, cell(*fonts.fixed6x10, c, 8, 16, 9, 1));
        store(ascii16, 4 + (c - 32) * 32, 0, cell(*fonts.unifont, c, 8, 16, 14));
    }
    writeFile(lib / "THE_11ASCII.bin", ascii11);
    writeFile(lib / "THE_16ASCII.bin", ascii16);

    std::vector<uint8_t> symbols11 = withHeader("TF11", 15, 64);
    std::vector<uint8_t> symbols16 = withHeader("TF16", 15, 64);
    for (size_t i = 0; i < kSymbols.size(); ++i) {
        const uint32_t code = kSymbols[i];
        store(symbols11, 4 + i * 64, 16,
              kDrawn11.count(code) ? drawn(12, 16, 0, 0, kDrawn11.at(code)) : cell(*fonts.wqy9, code, 12, 16, 10));
        store(symbols16, 4 + i * 64, 0,
              kDrawn16.count(code) ? drawn(16, 16, 0, 0, kDrawn16.at(code)) : cell(*fonts.wqy12, code, 16, 16, 14));
    }
    writeFile(lib / "THE_11FH.bin", symbols11);
    writeFile(lib / "THE_16FH.bin", symbols16);
}

// One table as runs of code points with the same width and height: {end, width, height},
// where a run covers the codes from the previous run's end up to `end` exclusive.
std::string sizeRuns(const char *name, const std::vector<uint8_t> &sizes)
{
    std::string text = std::string("const SizeRun ") + name + "[] = {\n";
    int inLine = 0;
    for (uint32_t c = 0; c < 65536; ++c) {
        const bool last = c == 65535 || sizes[2 * c] != sizes[2 * c + 2] || sizes[2 * c + 1] != sizes[2 * c + 3];
        if (!last)
            continue;
        text += (inLine == 0 ? "    " : " ") + std::string("{") + std::to_string(c + 1) + "," +
                std::to_string(sizes[2 * c]) + "," + std::to_string(sizes[2 * c + 1]) + "},";
        if (++inLine == 8) {
            text += "\n";
            inLine = 0;
        }
    }
    if (inLine)
        text += "\n";
    return text + "};\n";
}

void writeSizeTableSource(const std::filesystem::path &path, const std::vector<uint8_t> &sizes11,
                          const std::vector<uint8_t> &sizes16)
{
    const std::string text = "// Generated by glyphgen from Debian's fonts. Do not edit.\n"
                             "#include \"glyphs/SizeTableRuns.h\"\n\n"
                             "namespace tessivo::sizetables {\n\n" +
                             sizeRuns("kRuns11", sizes11) + "const size_t kRuns11Count = std::size(kRuns11);\n\n" +
                             sizeRuns("kRuns16", sizes16) + "const size_t kRuns16Count = std::size(kRuns16);\n\n" +
                             "} // namespace tessivo::sizetables\n";
    writeFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void writeUserLibraries(const Fonts &fonts, const std::filesystem::path &lib,
                        const std::filesystem::path &tables)
{
    const std::set<uint32_t> zero = zeroSizeCodes(fonts);
    std::vector<uint8_t> sizes11(131072), sizes16(131072), library11, library16;
    for (uint32_t c = 0; c < 65536; ++c) {
        const UserGlyph g11 = userGlyph11(fonts, c, zero);
        const UserGlyph g16 = userGlyph16(fonts, c, zero);
        sizes11[2 * c] = uint8_t(g11.width);
        sizes11[2 * c + 1] = uint8_t(g11.height);
        sizes16[2 * c] = uint8_t(g16.width);
        sizes16[2 * c + 1] = uint8_t(g16.height);
        library11.insert(library11.end(), g11.bytes.begin(), g11.bytes.end());
        library16.insert(library16.end(), g16.bytes.begin(), g16.bytes.end());
    }
    writeFile(lib / "UserZK11.fnt", library11);
    writeFile(lib / "UserZK16.fnt", library16);
    writeSizeTableSource(tables / "SizeTableData.cpp", sizes11, sizes16);
}

void show(const Fonts &fonts, uint32_t c)
{
    const std::set<uint32_t> zero = zeroSizeCodes(fonts);
    for (const UserGlyph &g : {userGlyph11(fonts, c, zero), userGlyph16(fonts, c, zero)}) {
        std::printf("U+%04X %d x %d\n", c, g.width, g.height);
        const int perColumn = (g.height + 7) / 8;
        for (int y = 0; y < g.height; ++y) {
            const int bit = g.height - 1 - y;
            for (int x = 0; x < g.width; ++x) {
                const int column = g.width - 1 - x;
                std::putchar((g.bytes[size_t(column * perColumn + bit / 8)] >> (7 - bit % 8)) & 1 ? '#' : '.');
            }
            std::putchar('\n');
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2)
        options[argv[i]] = argv[i + 1];
    for (const char *required : {"--font5x7", "--font6x10", "--wqy9", "--wqy12", "--unifont"})
        if (!options.count(required))
            fail(std::string("missing ") + required);
    if (FT_Init_FreeType(&library))
        fail("cannot start FreeType");

    Font fixed5x7(options["--font5x7"], 7), fixed6x10(options["--font6x10"], 10),
        wqy9(options["--wqy9"], 12), wqy12(options["--wqy12"], 16), unifont(options["--unifont"], 16);
    const Fonts fonts{&fixed5x7, &fixed6x10, &wqy9, &wqy12, &unifont};

    if (options.count("--show")) {
        show(fonts, uint32_t(std::strtoul(options["--show"].c_str(), nullptr, 16)));
        return 0;
    }
    if (!options.count("--lib") || !options.count("--tables"))
        fail("missing --lib or --tables");
    const std::filesystem::path lib = options["--lib"], tables = options["--tables"];
    std::filesystem::create_directories(lib);
    std::filesystem::create_directories(tables);
    writeBuiltinFiles(fonts, lib);
    writeUserLibraries(fonts, lib, tables);
    return 0;
}
