// Fonts and text of a drawing context.
#include <cstring>

#include "gui/draw_context.h"
#include "gui/font_table.h"
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
    const platform::FontDescription d = describeFont(id, fontSize, style);

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
    return width;
}

void DrawContext::drawString(const char* text, const Rect& r, bool opaque, int align) {
    if (!text)
        return;
    platform::DeviceRect target{r.left + offset.h, r.top + offset.v, r.right + offset.h,
                                r.bottom + offset.v};
    platform::setBackgroundMode(systemContext, opaque ? platform::kBackgroundOpaque
                                                      : platform::kBackgroundTransparent);
    unsigned format =
        platform::kTextSingleLine | platform::kTextVerticalCenter | platform::kTextNoPrefix;
    if (align == kCenterText)
        format |= platform::kTextCenter;
    else if (align == kRightText)
        format |= platform::kTextRight;
    else
        target.left += 1;
    platform::drawText(systemContext, text, static_cast<int>(std::strlen(text)), target, format);
    platform::setBackgroundMode(systemContext, platform::kBackgroundTransparent);
}
