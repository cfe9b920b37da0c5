#include "harness/rgb_image.h"

namespace {

std::size_t offsetOf(const RgbImage& image, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
            static_cast<std::size_t>(x)) *
           3;
}

} // namespace

std::uint32_t RgbImage::pixel(int x, int y) const {
    const std::size_t at = offsetOf(*this, x, y);
    return static_cast<std::uint32_t>(rgb[at]) << 16 |
           static_cast<std::uint32_t>(rgb[at + 1]) << 8 | rgb[at + 2];
}

void RgbImage::setPixel(int x, int y, std::uint32_t value) {
    const std::size_t at = offsetOf(*this, x, y);
    rgb[at] = static_cast<std::uint8_t>(value >> 16);
    rgb[at + 1] = static_cast<std::uint8_t>(value >> 8);
    rgb[at + 2] = static_cast<std::uint8_t>(value);
}
