// Fonts and text of a drawing context.
#include <cstring>

#include "gui/draw_context.h"
#include "gui/font_table.h"
#include "gui/scale.h"
#include "platform/graphics.h"

platform::FontDescription describeFont(int id, int size, int style) {
    platform::FontDescription d{};
    d.height = -size; // character height, not cell height
    d.weight = (style & kBoldFace) ? 700 : 400;
    d.italic = (style & kItalicFace) ? 1 : 0;
    d.underline = (style & kUnderlineFace) ? 1 : 0;
    d.pitchAndFamily = platform::kVariablePitchSwiss;
    std::strncpy(d.faceName, fontTable[id].face, sizeof d.faceName - 1);
    if (id == kFontCount - 1)
        d.pitchAndFamily = platform::kFamilyDecorative;
    if (id == 0)
        d.weight = 700;
    d.clipPrecision = 2; // stroke precision
    d.outPrecision = 1;  // string precision
    d.quality = 0;
    d.charSet = 0;
    return d;
}

void DrawContext::setFont(int id, int size, int style) {
    if (id < 0 || id >= kFontCount)
        id = 0;
    fontId = id;
    fontSize = size == 0 ? fontTable[id].defaultSize : size;
    // Lettering drawn at the scale, never stretched: the font is that much taller.
    const platform::FontDescription d =
        describeFont(id, scale == 1.0 ? fontSize : scale::toDevice(fontSize, scale), style);

    if (!systemContext)
        return;
    platform::GraphicsObject next = platform::createFont(d);
    if (!next)
        return;
    platform::selectObject(systemContext, next);
    if (font)
        platform::deleteObject(font);
    font = next;
}

int DrawContext::getStringWidth(const char* text) {
    if (!text)
        return 0;
    int width = 0, height = 0;
    if (!platform::textExtent(systemContext, text, static_cast<int>(std::strlen(text)), width,
                              height))
        return 0;
    return unitsCovering(width);
}

void DrawContext::drawString(const char* text, const Rect& r, bool opaque, int align) {
    if (!text)
        return;
    // Left-aligned text starts one unit in.
    platform::DeviceRect target =
        deviceRect(Rect(align == kCenterText || align == kRightText ? r.left : r.left + 1, r.top,
                        r.right, r.bottom));
    platform::setBackgroundMode(systemContext, opaque ? platform::kBackgroundOpaque
                                                      : platform::kBackgroundTransparent);
    unsigned format =
        platform::kTextSingleLine | platform::kTextVerticalCenter | platform::kTextNoPrefix;
    if (align == kCenterText)
        format |= platform::kTextCenter;
    else if (align == kRightText)
        format |= platform::kTextRight;
    platform::drawText(systemContext, text, static_cast<int>(std::strlen(text)), target, format);
    platform::setBackgroundMode(systemContext, platform::kBackgroundTransparent);
}
