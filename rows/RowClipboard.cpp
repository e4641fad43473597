// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/RowClipboard.h"


namespace tessivo {

QByteArray glyphBlock(const std::vector<ChrRecord> &records)
{
    return QByteArray(reinterpret_cast<const char *>(records.data()),
                      qsizetype(records.size() * sizeof(ChrRecord)));
}

std::optional<std::vector<ChrRecord>> parseGlyphBlock(const QByteArray &block)
{
    if (block.isEmpty())
        return std::nullopt;
    return readRecords(block.constData(), size_t(block.size()));
}

QByteArray unicodeTextBlock(const std::vector<ChrRecord> &records)
{
    QByteArray block(qsizetype(2 * records.size() + 2), '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        block[qsizetype(2 * i)] = char(records[i].code & 0xFF);
        block[qsizetype(2 * i + 1)] = char(records[i].code >> 8);
    }
    return block;
}

QString textOf(const std::vector<ChrRecord> &records)
{
    QString text;
    text.reserve(qsizetype(records.size()));
    for (const ChrRecord &record : records)
        text.append(QChar(char16_t(record.code)));
    return text;
}

} // namespace tessivo
