// The record a frame of the host-window variant hands the host when it asks
// for a window (open) and when it gives it back (close).
#pragma once

#include "host/vst_types.h"

struct VstWindowRecord {
    char title[128];
    int16 x; // position on the screen
    int16 y;
    int16 width;
    int16 height;
    int32 style;
    void* parent;
    void* userHandle;
    void* windowHandle;
    char future[104];
};
