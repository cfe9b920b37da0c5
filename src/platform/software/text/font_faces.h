// The typefaces behind the platform's face names: "Arial" and every other
// name are drawn with Liberation Sans, "Symbol" with DejaVu Sans through the
// symbol character layout.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

typedef struct FT_FaceRec_* FT_Face;

namespace software::text {

struct SizedFace {
    FT_Face face = nullptr; // null when no typeface file could be opened
    int ascent = 0;         // pixels above the baseline
    int descent = 0;        // pixels below it
    bool symbol = false;    // characters go through the symbol layout
};

// Opens (once) the typeface a description asks for and sizes it.
SizedFace faceFor(const platform::FontDescription& description);

// The character a byte of text stands for in the chosen layout.
std::uint32_t characterOf(unsigned char byte, bool symbol);

} // namespace software::text
