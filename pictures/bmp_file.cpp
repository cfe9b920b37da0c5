#include "pictures/bmp_file.h"

#include <fstream>

namespace pictures {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
// 72 dots per inch; the plug-in never reads it, but zero confuses some viewers.
constexpr std::uint32_t pixelsPerMetre = 2835;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// The file header and the 40-byte info header of a picture whose rows take
// `rowBytes` each, with `paletteEntries` four-byte palette entries after the
// headers; the caller appends the palette and the rows.
std::vector<std::uint8_t> startBmp(std::uint32_t width, std::uint32_t height,
                                   std::uint16_t bitsPerPixel, std::uint32_t rowBytes,
                                   std::uint32_t paletteEntries) {
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t offset = fileHeaderSize + infoHeaderSize + paletteEntries * 4;
    std::vector<std::uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixelBytes);
    put32(out, 0); // reserved
    put32(out, offset);

    put32(out, infoHeaderSize);
    put32(out, width);
    put32(out, height); // positive: rows are stored bottom-up
    put16(out, 1);      // planes
    put16(out, bitsPerPixel);
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, paletteEntries);
    put32(out, 0);
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    std::vector<std::uint8_t> out = startBmp(width, height, 24, rowBytes, 0);

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

bool writeBmp(const Image& image, const std::string& path) {
    return !image.empty() && writeFile(path, encodeBmp(image));
}

std::vector<std::uint8_t> encodeGreyBmp(const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width + 3) & ~3u;
    // Each pixel is an index into the palette of the 256 greys.
    std::vector<std::uint8_t> out = startBmp(width, height, 8, rowBytes, 256);
    for (std::uint32_t level = 0; level < 256; ++level) {
        const auto v = static_cast<std::uint8_t>(level);
        out.insert(out.end(), {v, v, v, 0}); // blue, green, red, unused
    }

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            if (c.r != c.g || c.g != c.b) {
                return {};
            }
            out.push_back(c.r);
        }
        for (std::uint32_t pad = width; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

} // namespace pictures
