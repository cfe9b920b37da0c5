// An in-memory RGB picture: the canvas the picture tools draw on, what the
// harness captures from a window, and what the picture files hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictures {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
// The codecs read and write the pixels as rows of three bytes.
static_assert(sizeof(Rgb) == 3, "a pixel is three bytes, red first");

constexpr Rgb grey(std::uint8_t level) {
    return Rgb{level, level, level};
}
constexpr Rgb white = grey(255);

// A rectangle of whole pixels, all four bounds inclusive.
struct Box {
    int left, top, right, bottom;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = Rgb{0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    // Coordinates must lie inside the picture.
    Rgb at(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, Rgb colour) { pixels[index(x, y)] = colour; }
    void fill(const Box& box, Rgb colour);
    // The same pixel as 0xRRGGBB.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t value);

    // Top row first, three bytes per pixel, no padding.
    const std::uint8_t* bytes() const;
    std::uint8_t* bytes();
    bool operator==(const Image& o) const;
    bool operator!=(const Image& o) const { return !(*this == o); }

private:
    std::size_t index(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels;
};

} // namespace pictures
