// Points, rectangles and colours of the toolkit.
#pragma once

#include <cstdint>

struct Rect;

struct Point {
    std::int32_t h = 0; // horizontal, in pixels
    std::int32_t v = 0; // vertical, in pixels

    Point() = default;
    Point(std::int32_t h_, std::int32_t v_) : h(h_), v(v_) {}

    // Half-open: the right and bottom edges of r are outside.
    bool isInside(const Rect& r) const;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    Rect() = default;
    Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}

    std::int32_t getWidth() const { return right - left; }
    std::int32_t getHeight() const { return bottom - top; }
    bool isEmpty() const { return left >= right || top >= bottom; }
    // Clips this rectangle to o; an empty result keeps its top-left corner.
    Rect& bound(const Rect& o);
};

inline bool Point::isInside(const Rect& r) const {
    return h >= r.left && h < r.right && v >= r.top && v < r.bottom;
}

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0; // carried along; no drawing reads it
};

inline bool operator==(const Color& a, const Color& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}
inline bool operator!=(const Color& a, const Color& b) {
    return !(a == b);
}

// Whole pixels toward zero. Values set from outside are not bounded: one
// that is not a number counts as 0, and one no pixel coordinate can hold
// stops far beyond either end.
int wholePixels(float x);

// Constant-initialised, so they exist before any toolkit object.
inline constexpr Color colorWhite{255, 255, 255, 0};
inline constexpr Color colorBlack{0, 0, 0, 0};
inline constexpr Color colorGrey{127, 127, 127, 0};
inline constexpr Color colorRed{255, 0, 0, 0};
inline constexpr Color colorGreen{0, 255, 0, 0};
inline constexpr Color colorBlue{0, 0, 255, 0};
inline constexpr Color colorYellow{255, 255, 0, 0};
inline constexpr Color colorMagenta{255, 0, 255, 0};
inline constexpr Color colorCyan{0, 255, 255, 0};
