// An in-memory RGB picture, the canvas both plug-in pictures are drawn on.
#pragma once

#include <cstdint>
#include <vector>

namespace pictures {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

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
    Image(int width, int height, Rgb fill);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb colour) { pixels_[index(x, y)] = colour; }
    void fill(const Box& box, Rgb colour);

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

} // namespace pictures
