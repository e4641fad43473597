// The two size tables of the user libraries, compiled into the program from the files
// that the glyph generator writes into the build tree.

#include "glyphs/GlyphFiles.h"

#ifndef TESSIVO_SIZES11_FILE
#error "TESSIVO_SIZES11_FILE must name the 11-LED size table"
#endif

__asm__(".section .rodata\n"
        ".globl tessivo_sizes11\n"
        ".hidden tessivo_sizes11\n"
        ".balign 16\n"
        "tessivo_sizes11:\n"
        ".incbin \"" TESSIVO_SIZES11_FILE "\"\n"
        ".globl tessivo_sizes16\n"
        ".hidden tessivo_sizes16\n"
        ".balign 16\n"
        "tessivo_sizes16:\n"
        ".incbin \"" TESSIVO_SIZES16_FILE "\"\n"
        ".previous\n");

extern "C" const uint8_t tessivo_sizes11[];
extern "C" const uint8_t tessivo_sizes16[];

namespace tessivo {

std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable11()
{
    return std::span<const uint8_t, glyphfile::kSizeTableBytes>(tessivo_sizes11,
                                                                 glyphfile::kSizeTableBytes);
}

std::span<const uint8_t, glyphfile::kSizeTableBytes> builtinSizeTable16()
{
    return std::span<const uint8_t, glyphfile::kSizeTableBytes>(tessivo_sizes16,
                                                                 glyphfile::kSizeTableBytes);
}

} // namespace tessivo
