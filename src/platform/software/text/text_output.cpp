// Measuring and drawing single lines of text on software-drawn targets.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

#include "../counted.h"
#include "../objects.h"
#include "font_faces.h"
#include "platform/graphics.h"

namespace platform {

using namespace software;

namespace {

// Loads one character's outline, hinted for two-level pixels.
bool loadGlyph(const text::SizedFace& f, unsigned char byte, bool render) {
    const FT_UInt index = FT_Get_Char_Index(f.face, text::characterOf(byte, f.symbol));
    const FT_Int32 flags = FT_LOAD_TARGET_MONO | (render ? FT_LOAD_RENDER : 0);
    return FT_Load_Glyph(f.face, index, flags) == 0;
}

int advanceOf(const text::SizedFace& f, unsigned char byte) {
    if (!loadGlyph(f, byte, false))
        return 0;
    return static_cast<int>((f.face->glyph->advance.x + 32) >> 6);
}

int widthOf(const text::SizedFace& f, const char* text, int length) {
    int width = 0;
    for (int i = 0; i < length; ++i)
        width += advanceOf(f, static_cast<unsigned char>(text[i]));
    return width;
}

const FontDescription& selectedFont(TargetObject* t) {
    return t->font->description;
}

// Puts one glyph's pixels at pen position (x, baseline).
void paintGlyph(raster::Surface& s, const raster::Box& box, const FT_Bitmap& bm, int x, int y,
                raster::Pixel color) {
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            const unsigned char bits = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col / 8];
            if (!(bits & (0x80 >> (col % 8))))
                continue;
            const int px = x + static_cast<int>(col), py = y + static_cast<int>(row);
            if (box.contains(px, py))
                s.set(px, py, color);
        }
}

} // namespace

bool textExtent(DeviceContext dc, const char* text, int length, int& width, int& height) {
    TARVEL_COUNTED_CALL("GetTextExtentPoint32A");
    TargetObject* t = target(dc);
    if (!t || !text || length < 0)
        return false;
    const text::SizedFace f = text::faceFor(selectedFont(t));
    if (!f.face)
        return false;
    width = widthOf(f, text, length);
    height = f.ascent + f.descent;
    return true;
}

int drawText(DeviceContext dc, const char* text, int length, DeviceRect& rect, unsigned format) {
    TARVEL_COUNTED_CALL("DrawTextA");
    TargetObject* t = target(dc);
    raster::Surface* s = t ? t->surface() : nullptr;
    if (!s || !text)
        return 0;
    if (length < 0)
        for (length = 0; text[length]; ++length) {
        }
    const text::SizedFace f = text::faceFor(selectedFont(t));
    if (!f.face)
        return 0;
    const int width = widthOf(f, text, length);
    const int height = f.ascent + f.descent;
    int x = rect.left;
    if (format & kTextCenter)
        x = rect.left + (rect.right - rect.left - width) / 2;
    else if (format & kTextRight)
        x = rect.right - width;
    int y = rect.top;
    if ((format & kTextSingleLine) && (format & kTextVerticalCenter))
        y = rect.top + (rect.bottom - rect.top - height) / 2;

    // Text stays inside its rectangle.
    const raster::Box box = raster::Box{rect.left, rect.top, rect.right, rect.bottom}.intersect(
        raster::drawableBox(*s, t->state));
    if (t->state.opaqueBackground) {
        const raster::Box cell = raster::Box{x, y, x + width, y + height}.intersect(box);
        for (int py = cell.top; py < cell.bottom; ++py)
            for (int px = cell.left; px < cell.right; ++px)
                s->set(px, py, t->state.backgroundColor);
    }
    const int baseline = y + f.ascent;
    int penX = x;
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!loadGlyph(f, byte, true))
            continue;
        const FT_GlyphSlot g = f.face->glyph;
        paintGlyph(*s, box, g->bitmap, penX + g->bitmap_left, baseline - g->bitmap_top,
                   t->state.textColor);
        penX += static_cast<int>((g->advance.x + 32) >> 6);
    }
    if (selectedFont(t).underline) {
        const double scale =
            f.face->size->metrics.y_ppem / static_cast<double>(f.face->units_per_EM);
        const int position = static_cast<int>(std::lround(-f.face->underline_position * scale));
        const int thickness =
            std::max(1, static_cast<int>(std::lround(f.face->underline_thickness * scale)));
        for (int row = 0; row < thickness; ++row)
            for (int px = x; px < x + width; ++px)
                if (box.contains(px, baseline + position + row))
                    s->set(px, baseline + position + row, t->state.textColor);
    }
    return height;
}

} // namespace platform
