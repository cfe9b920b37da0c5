// The toolkit's eight fonts, by font id.
#pragma once

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
