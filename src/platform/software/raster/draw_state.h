// The drawing state one target carries: pen, brush, mix mode, background,
// clip box and the current position, as the shape routines read them.
#pragma once

#include "surface.h"

namespace raster {

enum PenKind : int { kSolid = 0, kDotted = 2, kNoPen = 5 };

struct Pen {
    int style = kSolid;
    int width = 1;
    Pixel color = kBlack;
};

struct Brush {
    bool none = false;
    Pixel color = kWhite;
};

enum Mix : int { kNotXorPen = 10, kCopyPen = 13, kMergePen = 15 };

struct DrawState {
    Pen pen;
    Brush brush;
    int mix = kCopyPen;
    bool opaqueBackground = true;
    Pixel backgroundColor = kWhite;
    Pixel textColor = kBlack;
    Box clip{-(1 << 28), -(1 << 28), 1 << 28, 1 << 28}; // device coordinates
    int x = 0;                                          // current position
    int y = 0;
};

// The pixels a drawing may touch: the clip box within the surface.
inline Box drawableBox(const Surface& s, const DrawState& st) {
    return st.clip.intersect(s.bounds());
}

// One pixel of pen or brush colour, combined by the mix mode and clipped.
void plot(Surface& s, const DrawState& st, int x, int y, Pixel color);
Pixel mixPixel(int mix, Pixel under, Pixel color);

} // namespace raster
