// The pictures at the editor's larger scales are drawn, not stretched: every
// box of the layout (in the panel's units) is drawn over the device pixels
// its units cover at the scale, mapped as the editor maps them.
#pragma once

#include "gui/scale.h"
#include "image.h"

namespace pictures {

inline Box scaledBox(const Box& units, double s) {
    return Box{scale::toDevice(units.left, s), scale::toDevice(units.top, s),
               scale::toDevice(units.right + 1, s) - 1, scale::toDevice(units.bottom + 1, s) - 1};
}

} // namespace pictures
