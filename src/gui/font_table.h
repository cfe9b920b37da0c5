// The toolkit's eight fonts, by font id.
#pragma once

#include "platform/platform_types.h"

constexpr int kFontCount = 8;

struct FontTableEntry {
    int defaultSize; // pixels
    const char* face;
};

inline constexpr FontTableEntry fontTable[kFontCount] = {
    {12, "Arial"}, // always bold
    {18, "Arial"}, {14, "Arial"}, {12, "Arial"},  {11, "Arial"},
    {10, "Arial"}, {9, "Arial"},  {13, "Symbol"},
};

// The platform font request for a valid table id, a size in pixels and the
// style bits of `setFont`: Arial faces are variable-pitch sans serif, the
// symbol face decorative, and id 0 always bold.
platform::FontDescription describeFont(int id, int size, int style);
