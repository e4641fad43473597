#include "glyphs/SysFontGlyph.h"

namespace tessivo {

// The installed-font rasteriser is not part of this build yet: with it absent an
// installed-font lookup finds nothing, so typing with that source inserts nothing.
void CreateTypeFonts() {}
void FreeTypeFonts() {}
bool GetSysFontGlyph(int, uint16_t, ChrRecord &) { return false; }

} // namespace tessivo
