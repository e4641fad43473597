// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard: any block under the glyph format and any text are pasted into a row
// without harm, and what the row then holds copies to a block that pastes again.

#include "FuzzGlyphs.h"
#include "FuzzInput.h"

#include "rows/RowClipboard.h"
#include "rows/RowModel.h"

using namespace tessivo;

TESSIVO_FUZZ_TARGET
{
    fuzz::loadShippedGlyphs();
    fuzz::Input input(data, size);
    const uint8_t how = input.byte();
    const int type = how % 3;
    const LedTypeTable types(input.byte() % 8, 100 + input.byte());
    RowModel row([&types](uint16_t code, int ledType, ChrRecord &record) {
        return GetGlyph(GlyphSource{}, code, types[ledType], record);
    }, types);
    row.SetLedType(type, false);

    ClipboardContent content;
    const std::string_view block = input.piece(8192);
    const std::optional<std::vector<ChrRecord>> records =
        parseGlyphBlock(QByteArray(block.data(), qsizetype(block.size())));
    content.hasGlyphs = !block.empty();
    if (records)
        content.glyphs = *records;
    const std::string_view text = input.rest();
    content.hasText = !text.empty();
    content.text = (how & 4) ? QString::fromUtf8(text.data(), qsizetype(text.size()))
                             : QString::fromUtf16(reinterpret_cast<const char16_t *>(text.data()),
                                                  qsizetype(text.size() / 2));
    row.Paste(content, how & 8);
    if (how & 16)
        row.Paste(content, !(how & 8));

    const std::vector<ChrRecord> held = row.ExtractRecords(row.n(), 0);
    for (const ChrRecord &record : held)
        fuzz::check(fitsRowHeight(record, row.height()), "a row holds records that fit it");
    if (held.empty())
        return 0;
    const std::optional<std::vector<ChrRecord>> copied = parseGlyphBlock(glyphBlock(held));
    fuzz::check(copied.has_value() && copied->size() == held.size(), "what a row copies pastes again");
    return 0;
}
