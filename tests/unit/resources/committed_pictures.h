// The committed pictures of resources/ as their files hold them, read here
// without the product's reader so that a fault of both cannot hide, and the
// panel's layout they are drawn to, in units.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A box in units, its edges inclusive.
struct Box {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The panel's lettering: where each line's ink lies and which edge it meets.
struct Lettering {
    const char* text;
    Box box;
    bool anchoredLeft; // ink starts at box.left, or else ends at box.right
};
inline const Lettering kLettering[] = {
    {"Tarvel", {10, 10, 115, 26}, true},
    {"Ostrand", {160, 11, 256, 24}, false},
    {"New Cycle Volume", {11, 34, 256, 47}, true},
    {"Input Volume", {11, 65, 256, 78}, true},
};
// The slider grooves, three rows each, and the greys of those rows.
inline const Box kGrooves[2] = {{10, 55, 256, 57}, {10, 86, 256, 88}};
inline const int kGrooveRows[3] = {232, 157, 249};
// The three outline rings inside the white edge: their greys on the top,
// left and right sides, and along the bottom, which is shaded apart.
inline const int kRingSides[3] = {232, 141, 232};
inline const int kRingBottoms[3] = {232, 157, 249};

inline std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A BMP file of resources/ with a 40-byte info header that spans it: its
// form, and the grey level of every pixel, top row first (-1 where the
// pixel is not grey). The size and the levels only when the file is an
// uncompressed picture of `depth` bits a pixel (24, or 8 with a palette)
// whose rows fill it.
struct GreyPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int compression = -1;
    std::vector<int> levels;
    int grey(int x, int y) const { return levels[static_cast<std::size_t>(y * width + x)]; }
    bool isWhite(int x, int y) const { return grey(x, y) == 255; }
};

inline GreyPicture readGreyPicture(const std::string& name, int depth) {
    std::ifstream file(std::string(TARVEL_RESOURCES_DIR) + "/" + name, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
    GreyPicture p;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || read32(b, 14) != 40 ||
        read32(b, 2) != b.size())
        return p;
    p.bitsPerPixel = b[28] | b[29] << 8;
    p.compression = static_cast<int>(read32(b, 30));
    const int width = static_cast<int>(read32(b, 18));
    const int height = static_cast<int>(read32(b, 22));
    const std::size_t pixelBytes = static_cast<std::size_t>(depth / 8);
    const std::size_t palette = 54; // after the two headers, when there is one
    const std::size_t offset = read32(b, 10);
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * pixelBytes + 3) & ~std::size_t{3};
    if (p.bitsPerPixel != depth || p.compression != 0 || width <= 0 || height <= 0 ||
        (depth == 8 && b.size() < palette + 1024) ||
        offset + rowBytes * static_cast<std::size_t>(height) != b.size())
        return p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* at =
                &b[offset + rowBytes * static_cast<std::size_t>(height - 1 - y) +
                   pixelBytes * static_cast<std::size_t>(x)];
            const std::uint8_t* bgr = depth == 8 ? &b[palette + 4 * std::size_t{*at}] : at;
            p.levels.push_back(bgr[0] == bgr[1] && bgr[1] == bgr[2] ? bgr[0] : -1);
        }
    return p;
}

// The ink in a box of device pixels (right and bottom exclusive): how far it
// reaches, how many pixels are not white, and how many of them carry the
// full mid-grey of a stem snapped to whole pixels.
struct Ink {
    int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1;
    int inked = 0;
    int cores = 0;
};
template <class Picture> Ink inkIn(const Picture& p, int left, int top, int right, int bottom) {
    Ink ink;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            if (p.isWhite(x, y))
                continue;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ++ink.inked;
            ink.cores += p.grey(x, y) == 128;
        }
    return ink;
}
