// Draws resource 129, the slider handle: a round light-grey knob on white.
#pragma once

#include "image.h"

namespace pictures {

Image drawHandle();

} // namespace pictures
