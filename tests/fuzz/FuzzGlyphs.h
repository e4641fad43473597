// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph files of the build, loaded once for the targets whose readers look glyphs up.

#include "glyphs/GlyphFiles.h"

namespace tessivo::fuzz {

inline void loadShippedGlyphs()
{
    static const bool loaded = [] {
        LoadGlyphFiles(TESSIVO_LIB_DIR);
        return true;
    }();
    (void)loaded;
}

} // namespace tessivo::fuzz
