#include "draw_state.h"

namespace raster {

Pixel mixPixel(int mix, Pixel under, Pixel color) {
    switch (mix) {
    case kMergePen:
        return under | color;
    case kNotXorPen:
        return ~(under ^ color) & kWhite;
    default:
        return color;
    }
}

void plot(Surface& s, const DrawState& st, int x, int y, Pixel color) {
    if (!s.inside(x, y) || !st.clip.contains(x, y))
        return;
    s.set(x, y, mixPixel(st.mix, s.get(x, y), color));
}

} // namespace raster
