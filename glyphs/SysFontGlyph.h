// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Glyphs rasterised from an installed font, one font per LED type: the character is
// drawn black on white without smoothing, its blank edges trimmed, and its pixels read
// back as LED columns.

#include "rows/ChrRecord.h"
#include "rows/LedType.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>

namespace tessivo {

struct TypeFontSpec {
    int height;  // cell height in pixels
    int width;   // average character width in pixels
};
/// The font of each LED type: 8 x 5, 12 x 6 and 16 x 8 pixels.
TypeFontSpec typeFontSpec(int ledType);

/// The font of a type for a face. The three fonts of the face last asked for are kept;
/// asking for another face creates the fonts of all three types anew.
QFont typeFont(const QString &face, int ledType);
/// Releases the kept fonts (at exit, while the font system still exists).
void FreeTypeFonts();

/// The part of a rendered character cell that becomes the record: left to right (with
/// the gap columns) and top to top + height, in work-bitmap pixels.
struct GlyphCell {
    int left = 0, top = 0, right = 0, height = 0;
    int width() const { return right - left; }
};
/// Trims a cell of cx x cy pixels: a cell taller than the LEDs loses its blank top row
/// (else the rows below the LED count); a cell wider than the glyph width loses one
/// blank column on each side (only the right one when it is a single column too wide);
/// the type's gap columns are added on the right; and the width is limited so that the
/// columns fit the record's 72 bytes.
GlyphCell trimGlyphCell(const std::function<bool(int x, int y)> &isBlack, int cx, int cy,
                        const LedTypeInfo &info);

/// Whether the face itself (not a font that stands in for it) has a glyph for the code.
bool faceHasOwnGlyph(const QString &face, int ledType, uint16_t code);

/// Rasterises a character in the face's font for an LED type into a cleared record
/// (width, height, byteCount, columns); false when the font gives the character no
/// extent.
bool GetSysFontGlyph(const QString &face, const LedTypeInfo &type, uint16_t code, ChrRecord &record);

} // namespace tessivo
