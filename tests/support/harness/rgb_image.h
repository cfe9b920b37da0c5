// A picture as rows of 8-bit red, green and blue: what the harness captures
// from a window and writes to PNG files.
#pragma once

#include <cstdint>
#include <vector>

struct RgbImage {
    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w * h) * 3, 0) {}

    // 0xRRGGBB; coordinates must lie inside the picture.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t value);
    bool empty() const { return width <= 0 || height <= 0; }

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // top row first, three bytes per pixel
};
