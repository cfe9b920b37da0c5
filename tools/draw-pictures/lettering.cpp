#include "lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>

namespace pictures {

struct Typeface::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Typeface::Typeface(const std::string& fontFile) : ft(std::make_unique<FreeType>()) {
    if (FT_Init_FreeType(&ft->library) != 0) {
        ft->library = nullptr;
        return;
    }
    if (FT_New_Face(ft->library, fontFile.c_str(), 0, &ft->face) != 0) {
        ft->face = nullptr;
    }
}

Typeface::~Typeface() {
    if (ft->face != nullptr) {
        FT_Done_Face(ft->face);
    }
    if (ft->library != nullptr) {
        FT_Done_FreeType(ft->library);
    }
}

bool Typeface::isOpen() const {
    return ft->face != nullptr;
}

namespace {

// One rendered glyph, placed on the line: (left, top) is its bitmap's corner
// relative to the pen's start on the baseline.
struct PlacedGlyph {
    int left, top, width, height;
    std::vector<std::uint8_t> coverage;
};

} // namespace

InkLine Typeface::render(const std::string& text, int pixelSize) const {
    InkLine line;
    FT_Face face = ft->face;
    if (face == nullptr || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        return line;
    }

    std::vector<PlacedGlyph> glyphs;
    FT_Pos pen = 0; // 26.6 fixed point
    FT_UInt previous = 0;
    for (const char ch : text) {
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(ch));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        previous = index;
        // Hinted as for one-bit output, which snaps stems to whole pixels in
        // both directions, then rendered with grey edges: the strokes' cores
        // get the full ink colour and only their outlines are blended.
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        PlacedGlyph g{static_cast<int>(pen >> 6) + slot->bitmap_left,
                      -slot->bitmap_top,
                      static_cast<int>(bitmap.width),
                      static_cast<int>(bitmap.rows),
                      {}};
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
            g.coverage.insert(g.coverage.end(), row, row + g.width);
        }
        glyphs.push_back(std::move(g));
        pen += slot->advance.x;
    }

    // The ink's bounds over all glyphs, ignoring empty bitmap margins.
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (const PlacedGlyph& g : glyphs) {
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                if (g.coverage[static_cast<std::size_t>(y * g.width + x)] != 0) {
                    minX = std::min(minX, g.left + x);
                    maxX = std::max(maxX, g.left + x);
                    minY = std::min(minY, g.top + y);
                    maxY = std::max(maxY, g.top + y);
                }
            }
        }
    }
    if (minX > maxX) {
        return line;
    }

    line.width = maxX - minX + 1;
    line.height = maxY - minY + 1;
    line.coverage.assign(static_cast<std::size_t>(line.width * line.height), 0);
    // Kerned neighbours may overlap; the darker coverage wins, as one stroke.
    for (const PlacedGlyph& g : glyphs) {
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                const std::uint8_t c = g.coverage[static_cast<std::size_t>(y * g.width + x)];
                if (c == 0) {
                    continue;
                }
                auto& out = line.coverage[static_cast<std::size_t>((g.top + y - minY) * line.width +
                                                                   (g.left + x - minX))];
                out = std::max(out, c);
            }
        }
    }
    return line;
}

namespace {
constexpr int smallest = 6;
constexpr int largest = 128;
} // namespace

int fitPixelSize(const Typeface& face, const std::string& text, const Box& box) {
    for (int size = largest; size >= smallest; --size) {
        const InkLine line = face.render(text, size);
        if (line.height == box.height() && line.width <= box.width()) {
            return size;
        }
    }
    return 0;
}

int fitPixelSizeWithin(const Typeface& face, const std::string& text, const Box& box) {
    for (int size = largest; size >= smallest; --size) {
        const InkLine line = face.render(text, size);
        if (line.height > 0 && line.height <= box.height() && line.width <= box.width()) {
            return size;
        }
    }
    return 0;
}

namespace {

// Hinting leaves the strokes' cores a full pixel wide, but the curves and
// diagonals of thin type come out as pale greys beside them. Raising light
// coverage a little (a gamma below one) evens the weight out; cores and the
// untouched ground stay exactly what they were.
constexpr double coverageGamma = 0.7;

std::uint8_t darken(std::uint8_t coverage) {
    return static_cast<std::uint8_t>(
        std::lround(255.0 * std::pow(coverage / 255.0, coverageGamma)));
}

} // namespace

void paintInk(Image& image, const InkLine& line, int left, int top, Rgb ink) {
    const auto blend = [](std::uint8_t ground, std::uint8_t colour, std::uint8_t coverage) {
        const int mixed = ground * (255 - coverage) + colour * coverage;
        return static_cast<std::uint8_t>((mixed + 127) / 255);
    };
    for (int y = 0; y < line.height; ++y) {
        for (int x = 0; x < line.width; ++x) {
            const std::uint8_t c = darken(line.at(x, y));
            if (c == 0) {
                continue;
            }
            const Rgb ground = image.at(left + x, top + y);
            image.set(left + x, top + y,
                      Rgb{blend(ground.r, ink.r, c), blend(ground.g, ink.g, c),
                          blend(ground.b, ink.b, c)});
        }
    }
}

} // namespace pictures
