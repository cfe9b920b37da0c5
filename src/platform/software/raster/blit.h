// Block copies between surfaces. Each end brings the colours its target
// holds, which decide how monochrome and colour pixels turn into each other:
// a colour pixel becomes 1 where it equals the source's background colour,
// and a 1 becomes the destination's background colour, a 0 its text colour.
#pragma once

#include <cstdint>

#include "draw_state.h"

namespace raster {

struct BlitEnd {
    Surface* surface = nullptr;
    Box clip;
    Pixel textColor = kBlack;
    Pixel backgroundColor = kWhite;
};

// Supports the raster operations source copy, source invert and source and.
bool bitBlt(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
            int sourceX, int sourceY, std::uint32_t rasterOp);
// Copies every source pixel except those equal to `transparent`; sizes must match.
bool transparentBlt(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
                    int sourceX, int sourceY, int sourceWidth, int sourceHeight, Pixel transparent);
// Blends the source over the destination with constant opacity; sizes must
// match and the source block must lie inside the source.
bool alphaBlend(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight, std::uint8_t alpha);

} // namespace raster
