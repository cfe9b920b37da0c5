#include "pictures/image.h"

#include <cassert>

namespace pictures {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::fill(const Box& box, Rgb colour) {
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            set(x, y, colour);
        }
    }
}

std::uint32_t Image::pixel(int x, int y) const {
    const Rgb c = at(x, y);
    return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

void Image::setPixel(int x, int y, std::uint32_t value) {
    set(x, y,
        Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)});
}

const std::uint8_t* Image::bytes() const {
    return reinterpret_cast<const std::uint8_t*>(pixels.data());
}

std::uint8_t* Image::bytes() {
    return reinterpret_cast<std::uint8_t*>(pixels.data());
}

bool Image::operator==(const Image& o) const {
    return width_ == o.width_ && height_ == o.height_ && pixels == o.pixels;
}

std::size_t Image::index(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

} // namespace pictures
