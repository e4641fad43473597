// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws samples of the glyph files in LIB as LED pictures into PNG files, to look at
// what the displays will show:  glyphsheet LIB-FOLDER OUT-FOLDER

#include "glyphs/GlyphFiles.h"
#include "rows/Columns.h"
#include "rows/LedType.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <vector>

using namespace tessivo;

namespace {

constexpr int kDot = 4;  // screen pixels per LED

/// A sheet of lines, each a run of characters looked up for one LED type.
QImage sheet(int ledType, const std::vector<std::u16string> &lines)
{
    const LedTypeInfo type = LedTypeTable()[ledType];
    const int rows = type.ledCount;
    std::vector<std::vector<ChrRecord>> found;
    int widest = 0;
    for (const std::u16string &line : lines) {
        std::vector<ChrRecord> records;
        int width = 0;
        for (char16_t code : line) {
            ChrRecord record = emptyRecord();
            if (GetGlyph(GlyphSource(), code, type, record) && record.width > 0) {
                records.push_back(record);
                width += record.width;
            }
        }
        widest = std::max(widest, width);
        found.push_back(records);
    }
    const int lineHeight = (rows + 2) * kDot;
    QImage image((widest + 2) * kDot, int(found.size()) * lineHeight + kDot, QImage::Format_RGB32);
    image.fill(QColor(24, 24, 28));
    QPainter painter(&image);
    for (size_t l = 0; l < found.size(); ++l) {
        int x = 1;
        for (const ChrRecord &record : found[l]) {
            for (int c = 0; c < record.width; ++c)
                for (int r = 0; r < rows; ++r) {
                    // Column 0 is the rightmost; bit height-1 is the top row.
                    const bool lit = columnBit(record.columns, record.height, record.width - 1 - c,
                                               record.height - 1 - r);
                    painter.fillRect((x + c) * kDot, int(l) * lineHeight + (r + 1) * kDot, kDot - 1,
                                     kDot - 1, lit ? QColor(255, 60, 40) : QColor(60, 40, 40));
                }
            x += record.width;
        }
    }
    return image;
}

std::u16string range(char16_t first, char16_t last)
{
    std::u16string text;
    for (char16_t c = first; c <= last; ++c)
        text += c;
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: glyphsheet LIB-FOLDER OUT-FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    LoadGlyphFiles(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);

    const std::u16string symbols = u"\x01\x02\x03\x04\x05\x06\x07\x08\x0B\x0C\x0E\x0F\x10\x11\x12";
    const std::vector<std::u16string> ascii = {range(32, 63), range(64, 95), range(96, 126)};
    sheet(ledtype::k7, {range(32, 63), range(64, 95), range(96, 126), range(18, 27)})
        .save(out + "/glyphs-7led.png");
    for (int type : {ledtype::k11, ledtype::k16}) {
        std::vector<std::u16string> lines = ascii;
        lines.push_back(symbols);
        lines.push_back(range(0xC0, 0xDF));
        lines.push_back(range(0xE0, 0xFF));
        lines.push_back(u"中文显示屏 你好世界 風扇");
        lines.push_back(u"한국어 안녕하세요 日本語 ひらがな");
        lines.push_back(u"ＡＢＣ１２３！？ Ωπ Жизнь");
        sheet(type, lines).save(out + QStringLiteral("/glyphs-%1led.png").arg(type == ledtype::k11 ? 11 : 16));
    }
    FreeGlyphFiles();
    return 0;
}
