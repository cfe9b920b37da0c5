// Copying texts into the fixed buffers of the display controls.
#pragma once

#include <cstddef>

#include "gui/controls/value_display.h"

// Copies at most 255 characters of `source` and a terminating zero into
// `dest` (kDisplayTextSize bytes); longer texts are cut. A null source gives
// an empty text.
inline void copyDisplayText(char* dest, const char* source) {
    std::size_t n = 0;
    if (source)
        for (; n < kDisplayTextSize - 1 && source[n]; ++n)
            dest[n] = source[n];
    dest[n] = 0;
}
