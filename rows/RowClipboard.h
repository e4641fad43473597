// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a row puts on the clipboard and takes from it: its characters' records as one
// block of 84-byte records under a private format, and their codes as Unicode text.

#include "rows/ChrRecord.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace tessivo {

namespace clipboard {
/// The private format's name, and the MIME name under which Qt keeps it.
inline constexpr char kGlyphFormat[] = "QorlBinaryData";
inline constexpr char kGlyphMime[] = "application/x-qt-windows-mime;value=\"QorlBinaryData\"";
}

/// The records, byte for byte: 84 bytes each.
QByteArray glyphBlock(const std::vector<ChrRecord> &records);
/// The records of a block; nothing for an empty block, a size that is not a whole
/// number of records, or any record that no glyph source gives (see readRecords).
std::optional<std::vector<ChrRecord>> parseGlyphBlock(const QByteArray &block);

/// The codes as UTF-16 code units followed by a 0 code unit: 2k + 2 bytes.
QByteArray unicodeTextBlock(const std::vector<ChrRecord> &records);
/// The codes as text.
QString textOf(const std::vector<ChrRecord> &records);

/// What a paste can take from the clipboard.
struct ClipboardContent {
    bool hasGlyphs = false;            // the private format is present
    std::vector<ChrRecord> glyphs;     // its records; empty when the block was damaged
    bool hasText = false;
    QString text;
};

} // namespace tessivo
