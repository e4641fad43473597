#pragma once
// Glyphs rasterised from an installed font, one font per LED type: the character is
// drawn black on white without smoothing, its blank edges trimmed, and its pixels read
// back as LED columns.

#include "rows/ChrRecord.h"

#include <QFont>
#include <QString>
#include <cstdint>

namespace tessivo {

struct TypeFontSpec {
    int height;  // cell height in pixels
    int width;   // average character width in pixels
};
/// The font of each LED type: 8 x 5, 12 x 6 and 16 x 8 pixels.
TypeFontSpec typeFontSpec(int ledType);

/// (Re)creates the font of one LED type from the face in the settings.
void CreateTypeFont(int ledType);
/// Creates the three fonts from the face in the settings.
void CreateTypeFonts();
/// Releases them.
void FreeTypeFonts();
/// Keeps a new face in the settings and re-creates the fonts of all three types.
void SetSysFontFace(const QString &face);
/// The font of a type as it was created (created now when it was not yet).
QFont typeFont(int ledType);

/// Rasterises a character for an LED type into a cleared record (width, height,
/// byteCount, columns); false when the font gives the character no extent.
bool GetSysFontGlyph(int ledType, uint16_t code, ChrRecord &record);

} // namespace tessivo
