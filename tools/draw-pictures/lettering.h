// Lettering for the panel: a line of text rendered with FreeType as 8-bit
// coverage, sized so that its ink fills a given box exactly, then painted as
// one ink colour blended towards the ground by that coverage.
#pragma once

#include "image.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pictures {

// A line of text as coverage (0 = ground, 255 = ink), cropped to its ink.
struct InkLine {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
    std::uint8_t at(int x, int y) const {
        return coverage[static_cast<std::size_t>(y * width + x)];
    }
};

// One font file, opened for as long as the object lives.
class Typeface {
public:
    explicit Typeface(const std::string& fontFile);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    bool isOpen() const;
    // The text set at pixelSize pixels per em with the font's kerning and
    // hinting; empty when nothing inks.
    InkLine render(const std::string& text, int pixelSize) const;

private:
    struct FreeType;
    std::unique_ptr<FreeType> ft;
};

// The largest whole pixel size at which the text's ink is exactly as tall as
// box and no wider; 0 when no size fits.
int fitPixelSize(const Typeface& face, const std::string& text, const Box& box);
// The largest whole pixel size at which the ink is no taller and no wider
// than box; 0 when none is.
int fitPixelSizeWithin(const Typeface& face, const std::string& text, const Box& box);

// Paints line with its ink's top left corner at (left, top), each pixel the
// ground blended towards ink by its coverage (light coverage raised a little
// so that thin curves keep the weight of the stems).
void paintInk(Image& image, const InkLine& line, int left, int top, Rgb ink);

} // namespace pictures
