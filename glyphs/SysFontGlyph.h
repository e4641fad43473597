#pragma once
// Glyphs rasterised from an installed font, one font per LED type.

#include "rows/ChrRecord.h"

#include <cstdint>

namespace tessivo {

/// Creates the three fonts from the face in the settings.
void CreateTypeFonts();
/// Releases them.
void FreeTypeFonts();
/// Rasterises a character for an LED type; same contract as GetGlyph.
bool GetSysFontGlyph(int ledType, uint16_t code, ChrRecord &record);

} // namespace tessivo
