// The record a frame of the host-window variant hands the host when it asks
// for a window (open) and when it gives it back (close).
#pragma once

#include <cstdint>

struct VstWindowRecord {
    char title[128];
    std::int16_t x; // position on the screen
    std::int16_t y;
    std::int16_t width;
    std::int16_t height;
    std::int32_t style;
    void* parent;
    void* userHandle;
    void* windowHandle;
    char future[104];
};
