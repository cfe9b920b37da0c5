// Lines drawn with the pen: one-pixel pens step from pixel to pixel and leave
// out the end point; wider pens cover everything within half the width of
// the segment, with round ends.
#pragma once

#include "draw_state.h"

namespace raster {

struct Vertex {
    int x;
    int y;
};

// From the current position to (x, y), which becomes the current position.
void lineTo(Surface& s, DrawState& st, int x, int y);
// Connected segments; the current position is not used or changed.
void polyline(Surface& s, const DrawState& st, const Vertex* points, int count);

} // namespace raster
