// Filled and outlined shapes. Boxes are given as the platform gives them
// (left, top, right, bottom with right and bottom left out) and are put in
// order first.
#pragma once

#include "draw_state.h"
#include "lines.h"

namespace raster {

// A plain fill: no pen, no mix mode. A reversed rectangle is filled too.
void fillBox(Surface& s, const DrawState& st, Box r, Pixel color);
// Interior by the alternate rule with the brush, then the closed outline with the pen.
void polygon(Surface& s, const DrawState& st, const Vertex* points, int count);
void ellipse(Surface& s, const DrawState& st, Box box);
// Start and end points name radials from the box's centre; the curve runs
// counter-clockwise from the start radial to the end radial.
void arc(Surface& s, const DrawState& st, Box box, Vertex start, Vertex end);
void pie(Surface& s, const DrawState& st, Box box, Vertex start, Vertex end);
// Fills the 4-connected area of `color` (surface mode) or bounded by it (border mode).
bool floodFill(Surface& s, const DrawState& st, int x, int y, Pixel color, bool surfaceMode);

} // namespace raster
