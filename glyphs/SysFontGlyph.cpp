// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/SysFontGlyph.h"

#include "rows/Columns.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <optional>

namespace tessivo {

namespace {

// Fonts need the application's font system; without it (model tests, tools) the
// installed-font source finds nothing.
bool fontsAvailable()
{
    return qGuiApp != nullptr;
}

/// The fonts of the face last asked for, one per LED type.
struct TypeFonts {
    QString face;
    std::array<std::optional<QFont>, ledtype::kCount> fonts;
};

TypeFonts &kept()
{
    static TypeFonts fonts;
    return fonts;
}

/// A proportional sans-serif face of the given cell height and average width, drawn
/// without smoothing. Qt sizes fonts by their em; the largest em whose cell still fits
/// the height is taken, and the width is reached by stretching.
QFont makeFont(const QString &face, TypeFontSpec spec)
{
    QFont font;
    if (!face.isEmpty())
        font.setFamilies({face});
    font.setStyleHint(QFont::SansSerif, QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    int pixels = spec.height;
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= spec.height)
            break;
    }
    font.setPixelSize(std::max(1, pixels));
    const int average = QFontMetrics(font).averageCharWidth();
    if (average > 0 && average != spec.width)
        font.setStretch(std::clamp((spec.width * 100 + average / 2) / average, 1, 4000));
    return font;
}

} // namespace

TypeFontSpec typeFontSpec(int ledType)
{
    static constexpr TypeFontSpec specs[ledtype::kCount] = {{8, 5}, {12, 6}, {16, 8}};
    return specs[clampLedType(ledType)];
}

QFont typeFont(const QString &face, int ledType)
{
    TypeFonts &fonts = kept();
    if (fonts.face != face) {
        fonts.fonts.fill(std::nullopt);
        fonts.face = face;
    }
    std::optional<QFont> &font = fonts.fonts[size_t(clampLedType(ledType))];
    if (!font && fontsAvailable())
        font = makeFont(face, typeFontSpec(ledType));
    return font.value_or(QFont());
}

void FreeTypeFonts()
{
    kept() = TypeFonts{};
}

bool GetSysFontGlyph(const QString &face, const LedTypeInfo &info, uint16_t code, ChrRecord &record)
{
    if (!fontsAvailable())
        return false;
    const QFont font = typeFont(face, info.id);
    const QFontMetrics metrics(font);
    const QString text{QChar(char16_t(code))};
    const int cx = metrics.horizontalAdvance(text);
    const int cy = metrics.height();
    if (cx <= 0 || cy <= 0)
        return false;

    // The work bitmap: white paper, black ink, the character's cell at the top left.
    QImage work(4 * info.glyphWidth, 4 * info.ledCount, QImage::Format_RGB32);
    work.fill(Qt::white);
    {
        QPainter painter(&work);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(0, metrics.ascent()), text);
    }
    const auto isBlack = [&work](int x, int y) {
        return work.valid(x, y) && (work.pixel(x, y) & 0xFFFFFF) == 0;
    };
    const GlyphCell cell = trimGlyphCell(isBlack, cx, cy, info);
    const int width = cell.width();
    if (width <= 0)
        return false;
    const int perColumn = bytesPerColumn(cell.height);
    extractColumnsWith(isBlack, {cell.left, cell.top, width, cell.height}, record.columns, kColumnBytes);
    record.byteCount = uint8_t(std::min(width * perColumn, kColumnBytes));
    record.width = width;
    record.height = cell.height;
    return true;
}

GlyphCell trimGlyphCell(const std::function<bool(int x, int y)> &isBlack, int cx, int cy,
                        const LedTypeInfo &info)
{
    const auto rowBlank = [&](int y, int left, int right) {
        for (int x = left; x < right; ++x)
            if (isBlack(x, y))
                return false;
        return true;
    };
    const auto columnBlank = [&](int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            if (isBlack(x, y))
                return false;
        return true;
    };
    GlyphCell cell{0, 0, cx, cy};
    int bottom = cy;
    if (cy > info.ledCount) {
        cell.top = rowBlank(0, cell.left, cell.right) ? 1 : 0;
        bottom = cell.top + info.ledCount;
        cell.height = info.ledCount;
    }
    if (cx > info.glyphWidth) {
        int leftBlank = columnBlank(cell.left, cell.top, bottom) ? 1 : 0;
        const int rightBlank = columnBlank(cell.right - 1, cell.top, bottom) ? 1 : 0;
        if (cx - info.glyphWidth == 1 && leftBlank && rightBlank)
            leftBlank = 0;
        cell.left += leftBlank;
        cell.right -= rightBlank;
    }
    cell.right += info.gap;
    // A record holds 72 column bytes, and the row reads it back at its own height: a
    // wider character is cut so that every reader finds all of its columns.
    const int rowsRead = std::max(cell.height, info.ledCount);
    cell.right = std::min(cell.right, cell.left + kColumnBytes / bytesPerColumn(rowsRead));
    return cell;
}

bool faceHasOwnGlyph(const QString &face, int ledType, uint16_t code)
{
    // A raw font is the one face Qt matched, without the fallback fonts that would draw
    // a control code as a box with its name.
    const QRawFont raw = QRawFont::fromFont(typeFont(face, ledType));
    return raw.isValid() && raw.supportsCharacter(QChar(code));
}

} // namespace tessivo
