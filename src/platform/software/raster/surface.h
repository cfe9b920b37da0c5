// A rectangle of pixels: the picture behind every software-drawn target.
#pragma once

#include <cstdint>
#include <vector>

namespace raster {

// 0x00BBGGRR, the platform's colour value.
using Pixel = std::uint32_t;
constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

// A half-open box: columns left to right - 1, rows top to bottom - 1.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Box intersect(const Box& o) const;
    // The smallest box holding both; an empty box adds nothing.
    Box unite(const Box& o) const;
};

// Colour surfaces keep exact colours; monochrome ones keep only black and
// white (bit 0 and bit 1 of a one-bit-per-pixel bitmap).
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, bool monochrome, Pixel fill = kBlack);

    int width() const { return width_; }
    int height() const { return height_; }
    bool monochrome() const { return monochrome_; }
    Box bounds() const { return Box{0, 0, width_, height_}; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Pixel get(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, Pixel p) { pixels[index(x, y)] = monochrome_ ? toMonochrome(p) : p; }
    void fill(Pixel p);
    // Whether `o` has the same size and every pixel the same.
    bool samePixels(const Surface& o) const {
        return width_ == o.width_ && height_ == o.height_ && pixels == o.pixels;
    }

    // How a colour lands on a monochrome surface when drawn (not copied).
    static Pixel toMonochrome(Pixel p);

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    bool monochrome_ = false;
    std::vector<Pixel> pixels;
};

} // namespace raster
