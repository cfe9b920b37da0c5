// The value display's settings and its drawing.
#include "gui/controls/value_display.h"

#include <cstdio>

#include "gui/bitmap.h"
#include "gui/draw_context.h"

namespace {
// Sets a field and marks the display dirty only when the value really changes.
template <typename T> void store(T& field, const T& next, Control& control) {
    if (field == next)
        return;
    field = next;
    control.setDirty(true);
}
} // namespace

ValueDisplay::ValueDisplay(const Rect& r, Bitmap* picture, int style_)
    : ValueDisplay(r, nullptr, 0, picture, style_) {}

ValueDisplay::ValueDisplay(const Rect& r, ControlListener* listener_, int tag_, Bitmap* picture,
                           int style_)
    : Control(r, listener_, tag_, picture), style(style_) {
    // A display that never draws would otherwise stay dirty for ever.
    if (style & styleNoDraw)
        setDirty(false);
}

ValueDisplay::~ValueDisplay() = default;

void ValueDisplay::setFont(int id) {
    store(fontId, id, *this);
}
void ValueDisplay::setFontColor(Color c) {
    store(fontColor, c, *this);
}
void ValueDisplay::setFillColor(Color c) {
    store(fillColor, c, *this);
}
void ValueDisplay::setFrameColor(Color c) {
    store(frameColor, c, *this);
}
void ValueDisplay::setShadowColor(Color c) {
    store(shadowColor, c, *this);
}
void ValueDisplay::setAlignment(int align) {
    store(alignment, align, *this);
}
void ValueDisplay::setStyle(int newStyle) {
    store(style, newStyle, *this);
}
void ValueDisplay::setTextFace(int face) {
    store(textFace, face, *this);
}

void ValueDisplay::setValueToTextWithData(ValueToTextWithData convert, void* data) {
    convertWithData = convert;
    convertData = data;
}
void ValueDisplay::setValueToText(ValueToText convert) {
    plainConvert = convert;
}
void ValueDisplay::setUserData(void* data) {
    userData = data;
}
void ValueDisplay::setTextTransparency(bool on) {
    textTransparent = on;
}

void ValueDisplay::valueText(float v, char* text) const {
    text[0] = 0;
    if (convertWithData)
        convertWithData(v, text, convertData);
    else if (plainConvert)
        plainConvert(v, text);
    else
        // The largest float has 39 digits before the point: it still fits.
        std::snprintf(text, kDisplayTextSize, "%2.2f", static_cast<double>(v));
    // A callback that forgot its terminating zero ends here.
    text[kDisplayTextSize - 1] = 0;
}

void ValueDisplay::draw(DrawContext* context) {
    char text[kDisplayTextSize];
    valueText(value, text);
    drawText(context, text);
}

void ValueDisplay::drawText(DrawContext* context, const char* text, Bitmap* override) {
    setDirty(false);
    if ((style & styleNoDraw) || !context)
        return;
    drawBackground(context, override);
    drawBevel(context);
    if ((style & styleNoText) || !text)
        return;
    context->setFont(fontId, 0, textFace);
    if (style & styleShadowText) {
        const Rect shadow(bounds.left + 1, bounds.top + 1, bounds.right + 1, bounds.bottom + 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadow, false, alignment);
    }
    context->setFontColor(fontColor);
    // Opaque text sits on the fill colour.
    if (!textTransparent)
        context->setFillColor(fillColor);
    context->drawString(text, bounds, !textTransparent, alignment);
}

void ValueDisplay::drawBackground(DrawContext* context, Bitmap* override) {
    Bitmap* picture = override ? override : background;
    if (picture) {
        if (transparent)
            picture->drawTransparent(context, bounds, backgroundOffset);
        else
            picture->draw(context, bounds, backgroundOffset);
        return;
    }
    if (transparent)
        return;
    context->setFillColor(fillColor);
    context->fillRect(bounds);
    if (!(style & (styleBevelIn | styleBevelOut))) {
        context->setFrameColor(frameColor);
        context->frameRect(bounds);
    }
}

// The bevel covers the same outline as a frame: columns left to right and
// rows top to bottom, both edges included.
void ValueDisplay::drawBevel(DrawContext* context) {
    if (!(style & (styleBevelIn | styleBevelOut)))
        return;
    const bool in = (style & styleBevelIn) != 0;
    context->setFrameColor(in ? fillColor : frameColor);
    context->moveTo(Point(bounds.left, bounds.bottom));
    context->lineTo(Point(bounds.left, bounds.top));
    context->lineTo(Point(bounds.right + 1, bounds.top));
    context->setFrameColor(in ? frameColor : fillColor);
    context->moveTo(Point(bounds.right, bounds.top + 1));
    context->lineTo(Point(bounds.right, bounds.bottom));
    context->lineTo(Point(bounds.left - 1, bounds.bottom));
}
