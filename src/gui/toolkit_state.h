// State shared by every frame of the library: the blending services the
// bitmaps use and whether the mouse buttons are swapped.
#pragma once

#include "platform/platform_types.h"

// Set when the system reports swapped mouse buttons; read by the mouse state.
extern bool swappedButtons;

// The optional blending services; null when not available.
extern platform::TransparentBlitFunction transparentBltFunction;
extern platform::AlphaBlendFunction alphaBlendFunction;

// Resets both services, then loads the blending library and takes its
// services: constant-alpha blending whenever the library loads, colour-keyed
// copies only on the NT platform family. Returns the library (null if none).
platform::Module loadBlendServices();

// Reads the system's mouse-button swap into `swappedButtons`.
void recordButtonSwap();
