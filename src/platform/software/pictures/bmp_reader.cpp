#include "bmp_reader.h"

#include <cstdint>

namespace software {
namespace {

std::uint32_t u16(const unsigned char* p) {
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8;
}
std::uint32_t u32(const unsigned char* p) {
    return u16(p) | u16(p + 2) << 16;
}

} // namespace

bool decodeBmp(const unsigned char* data, std::size_t size, raster::Surface& out) {
    if (!data || size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint32_t pixelOffset = u32(data + 10);
    const std::uint32_t headerSize = u32(data + 14);
    if (headerSize < 40 || 14 + headerSize > size)
        return false;
    const auto width = static_cast<std::int32_t>(u32(data + 18));
    const auto rawHeight = static_cast<std::int32_t>(u32(data + 22));
    const std::uint32_t bits = u16(data + 28);
    const std::uint32_t compression = u32(data + 30);
    std::uint32_t colours = u32(data + 46);
    if (width <= 0 || rawHeight == 0 || width > 16384 || rawHeight > 16384 || rawHeight < -16384 ||
        compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    if (bits <= 8 && colours == 0)
        colours = 1u << bits;
    const unsigned char* palette = data + 14 + headerSize;
    if (bits <= 8 && (colours > 256 || palette + 4 * colours > data + size))
        return false;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * static_cast<std::size_t>(height) > size - pixelOffset)
        return false;

    raster::Surface s(width, height, false);
    for (int row = 0; row < height; ++row) {
        const unsigned char* line =
            data + pixelOffset +
            stride * static_cast<std::size_t>(bottomUp ? height - 1 - row : row);
        for (int x = 0; x < width; ++x) {
            std::uint32_t b, g, r;
            if (bits >= 24) {
                const unsigned char* p = line + static_cast<std::size_t>(x) * (bits / 8);
                b = p[0];
                g = p[1];
                r = p[2];
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned shift = static_cast<unsigned>(8 - bits - bit % 8);
                std::uint32_t index = (line[bit / 8] >> shift) & ((1u << bits) - 1);
                if (index >= colours)
                    index = 0;
                b = palette[4 * index];
                g = palette[4 * index + 1];
                r = palette[4 * index + 2];
            }
            s.set(x, row, r | g << 8 | b << 16);
        }
    }
    out = std::move(s);
    return true;
}

} // namespace software
