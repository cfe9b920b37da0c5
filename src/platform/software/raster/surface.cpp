#include "surface.h"

#include <algorithm>

namespace raster {

Box Box::intersect(const Box& o) const {
    return Box{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
}

Box Box::unite(const Box& o) const {
    if (empty()) {
        return o;
    }
    if (o.empty()) {
        return *this;
    }
    return Box{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
               std::max(bottom, o.bottom)};
}

Surface::Surface(int width, int height, bool monochrome, Pixel fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), monochrome_(monochrome),
      pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
             monochrome ? toMonochrome(fill) : fill) {}

void Surface::fill(Pixel p) {
    std::fill(pixels.begin(), pixels.end(), monochrome_ ? toMonochrome(p) : p);
}

Pixel Surface::toMonochrome(Pixel p) {
    // Nearest of black and white by the sum of the channels.
    const unsigned sum = (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
    return sum >= 384 ? kWhite : kBlack;
}

} // namespace raster
