// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph files and user libraries in LIB: files of any length and content (a user
// may replace them) are loaded without harm, and every glyph a lookup finds is a record
// that the rest of the program accepts.

#include "FuzzInput.h"

#include "glyphs/GlyphFiles.h"
#include "rows/LedType.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

using namespace tessivo;

namespace {

const std::filesystem::path &folder()
{
    static QTemporaryDir dir;
    static const std::filesystem::path path = dir.path().toStdString();
    return path;
}

void put(const char *name, std::string_view bytes, bool present)
{
    const std::filesystem::path path = folder() / name;
    if (!present) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

} // namespace

TESSIVO_FUZZ_TARGET
{
    fuzz::Input input(data, size);
    const uint8_t present = input.byte();
    for (int file = 0; file < 5; ++file)
        put(glyphfile::kBuiltinNames[file], input.piece(4096), present & (1 << file));
    for (int library = 0; library < 2; ++library)
        put(glyphfile::kUserNames[library], input.piece(4096), present & (0x20 << library));
    LoadGlyphFiles(folder());

    const LedTypeTable types(input.byte() % 8, 100 + input.byte());
    while (input.remaining() >= 3) {
        const uint16_t code = input.word();
        const uint8_t how = input.byte();
        const int type = how % 3;
        ChrRecord record = emptyRecord();
        if (!GetGlyph(GlyphSource{true, {}}, code, types[type], record))
            continue;
        // Code points of no size (tab, line breaks) are found as gap columns, none
        // for a gap of 0.
        if (record.width == 0) {
            fuzz::check(record.byteCount == 0, "a glyph without columns carries no bytes");
            continue;
        }
        fuzz::check(isValidRecord(record), "a glyph found is a valid record");
        fuzz::check(record.byteCount == record.width * bytesPerColumn(record.height),
                    "a glyph carries the bytes of its columns");
    }
    FreeGlyphFiles();
    return 0;
}
