// Draws resource 129, the slider handle: a round light-grey knob on white.
#pragma once

#include "image.h"

namespace pictures {

// At scale s (one of scale::kOffered) the knob is drawn again, every length
// of it s times as long, on a square of 14·s pixels rounded down.
Image drawHandle(double s = 1.0);

} // namespace pictures
