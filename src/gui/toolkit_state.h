// State shared by every frame of the library: the blending services the
// bitmaps use and whether the mouse buttons are swapped.
#pragma once

#include "platform/platform_types.h"

// Set when the system reports swapped mouse buttons; read by the mouse state.
extern bool swappedButtons;

// The optional blending services; null when not available.
extern platform::TransparentBlitFunction transparentBltFunction;
extern platform::AlphaBlendFunction alphaBlendFunction;

// Takes the platform's blending services for the bitmaps (each null when not
// available). Returns their library, null when it did not load.
platform::Module startBlendServices();

// Reads the system's mouse-button swap into `swappedButtons`.
void recordButtonSwap();
