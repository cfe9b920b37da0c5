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

// A BMP file of resources/ with a 40-byte info header that spans the file;
// `bytes` is empty when the file is not one.
struct BmpFile {
    explicit BmpFile(const std::string& name) {
        std::ifstream file(std::string(TARVEL_RESOURCES_DIR) + "/" + name, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || read32(bytes, 14) != 40 ||
            read32(bytes, 2) != bytes.size()) {
            bytes.clear();
            return;
        }
        width = static_cast<int>(read32(bytes, 18));
        height = static_cast<int>(read32(bytes, 22));
        bitsPerPixel = bytes[28] | bytes[29] << 8;
        compression = static_cast<int>(read32(bytes, 30));
    }
    // True when rows of `pixelBytes` bytes a pixel, padded to whole words,
    // fill the file from the pixel offset to its end.
    bool rowsFill(std::size_t pixelBytes) const {
        return width > 0 && height > 0 &&
               read32(bytes, 10) + rowBytes(pixelBytes) * static_cast<std::size_t>(height) ==
                   bytes.size();
    }
    std::size_t rowBytes(std::size_t pixelBytes) const {
        return (static_cast<std::size_t>(width) * pixelBytes + 3) & ~std::size_t{3};
    }
    // The first byte of the picture's row y, counted from the top.
    const std::uint8_t* row(int y, std::size_t pixelBytes) const {
        return &bytes[read32(bytes, 10) +
                      rowBytes(pixelBytes) * static_cast<std::size_t>(height - 1 - y)];
    }

    std::vector<std::uint8_t> bytes;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int compression = -1;
};

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
