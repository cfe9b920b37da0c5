#include "blit.h"

#include <vector>

namespace raster {
namespace {

constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint32_t kSourceInvert = 0x00660046;
constexpr std::uint32_t kSourceAnd = 0x008800C6;

// A source pixel as the destination sees it.
Pixel convert(const BlitEnd& dest, const BlitEnd& source, Pixel p) {
    const bool fromMono = source.surface->monochrome();
    const bool toMono = dest.surface->monochrome();
    if (fromMono && !toMono)
        return p == kWhite ? dest.backgroundColor : dest.textColor;
    if (!fromMono && toMono)
        return p == source.backgroundColor ? kWhite : kBlack;
    return p;
}

// Visits every pixel of the block that lies inside the source surface and
// inside the destination's clip, reading the whole source block first so that
// a copy within one surface may overlap itself.
template <typename Combine>
bool forBlock(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
              int sourceX, int sourceY, Combine combine) {
    if (!dest.surface || !source.surface || width <= 0 || height <= 0)
        return false;
    const Box target = dest.clip.intersect(dest.surface->bounds());
    std::vector<Pixel> block(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<unsigned char> present(block.size(), 0);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const int sx = sourceX + i, sy = sourceY + j;
            if (!source.surface->inside(sx, sy))
                continue;
            const std::size_t k = static_cast<std::size_t>(j) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(i);
            block[k] = convert(dest, source, source.surface->get(sx, sy));
            present[k] = 1;
        }
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const std::size_t k = static_cast<std::size_t>(j) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(i);
            if (present[k] && target.contains(x + i, y + j))
                combine(x + i, y + j, block[k]);
        }
    return true;
}

std::uint8_t blendChannel(unsigned dest, unsigned source, unsigned alpha) {
    return static_cast<std::uint8_t>((source * alpha + dest * (255 - alpha) + 127) / 255);
}

} // namespace

bool bitBlt(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
            int sourceX, int sourceY, std::uint32_t rasterOp) {
    if (rasterOp != kSourceCopy && rasterOp != kSourceInvert && rasterOp != kSourceAnd)
        return false;
    Surface& d = *dest.surface;
    return forBlock(dest, x, y, width, height, source, sourceX, sourceY,
                    [&](int px, int py, Pixel p) {
                        if (rasterOp == kSourceInvert)
                            p ^= d.get(px, py);
                        else if (rasterOp == kSourceAnd)
                            p &= d.get(px, py);
                        d.set(px, py, p);
                    });
}

bool transparentBlt(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
                    int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                    Pixel transparent) {
    if (width != sourceWidth || height != sourceHeight || !source.surface)
        return false;
    Surface& d = *dest.surface;
    const bool mono = source.surface->monochrome();
    return forBlock(dest, x, y, width, height, source, sourceX, sourceY,
                    [&](int px, int py, Pixel p) {
                        // The key is compared with the source's own colour.
                        if (mono || p != transparent)
                            d.set(px, py, p);
                    });
}

bool alphaBlend(const BlitEnd& dest, int x, int y, int width, int height, const BlitEnd& source,
                int sourceX, int sourceY, int sourceWidth, int sourceHeight, std::uint8_t alpha) {
    if (width != sourceWidth || height != sourceHeight || !source.surface || sourceX < 0 ||
        sourceY < 0 || sourceX + width > source.surface->width() ||
        sourceY + height > source.surface->height())
        return false;
    Surface& d = *dest.surface;
    return forBlock(
        dest, x, y, width, height, source, sourceX, sourceY, [&](int px, int py, Pixel p) {
            const Pixel under = d.get(px, py);
            d.set(px, py,
                  Pixel{blendChannel(under & 0xFF, p & 0xFF, alpha)} |
                      Pixel{blendChannel((under >> 8) & 0xFF, (p >> 8) & 0xFF, alpha)} << 8 |
                      Pixel{blendChannel((under >> 16) & 0xFF, (p >> 16) & 0xFF, alpha)} << 16);
        });
}

} // namespace raster
