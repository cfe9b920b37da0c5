// Colour-keyed and blended drawing of bitmaps, and their transparency mask.
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/toolkit_state.h"
#include "platform/graphics.h"

namespace {

using platform::bitBlt;
using platform::kRopSourceAnd;
using platform::kRopSourceCopy;
using platform::kRopSourceInvert;

// A memory target with one bitmap selected, put back and freed on exit.
class SelectedBitmap {
public:
    SelectedBitmap(platform::DeviceContext compatibleWith, platform::GraphicsObject bitmap)
        : dc_(platform::createCompatibleDC(compatibleWith)),
          previous(platform::selectObject(dc_, bitmap)) {}
    ~SelectedBitmap() {
        platform::selectObject(dc_, previous);
        platform::deleteDC(dc_);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    platform::DeviceContext dc() const { return dc_; }

private:
    platform::DeviceContext dc_;
    platform::GraphicsObject previous;
};

} // namespace

void Bitmap::drawTransparent(DrawContext* context, const Rect& r, const Point& src) {
    if (!handle || !context)
        return;
    platform::DeviceContext target = context->getSystemContext();
    const Copy c = copyFor(context, r, src);
    const int x = c.x, y = c.y, w = c.width, h = c.height;
    const Point from(c.sourceX, c.sourceY);
    const SelectedBitmap picture(target, c.picture);

    // The mask is made for the picture at scale 1.
    if (mask && c.picture == handle) {
        // Where the mask is 1 the context's pixel survives the two exclusive
        // ors; where it is 0 the and clears it and the picture's pixel results.
        platform::GraphicsObject scratch = platform::createCompatibleBitmap(target, w, h);
        {
            const SelectedBitmap maskBits(target, mask);
            const SelectedBitmap work(target, scratch);
            bitBlt(work.dc(), 0, 0, w, h, target, x, y, kRopSourceCopy);
            bitBlt(work.dc(), 0, 0, w, h, picture.dc(), from.h, from.v, kRopSourceInvert);
            bitBlt(work.dc(), 0, 0, w, h, maskBits.dc(), from.h, from.v, kRopSourceAnd);
            bitBlt(work.dc(), 0, 0, w, h, picture.dc(), from.h, from.v, kRopSourceInvert);
            bitBlt(target, x, y, w, h, work.dc(), 0, 0, kRopSourceCopy);
        }
        if (scratch)
            platform::deleteObject(scratch);
        return;
    }

    if (transparentBltFunction) {
        transparentBltFunction(target, x, y, w, h, picture.dc(), from.h, from.v, w, h,
                               colorValue(transparentColor));
        return;
    }

    // No colour-keyed copy service: a mask made on the fly, 1 where the
    // picture has the transparent colour, applied with white/black colours
    // so that 1 bits keep the context's pixel and 0 bits clear it.
    platform::GraphicsObject bits = platform::createMonochromeBitmap(w, h);
    {
        const SelectedBitmap onTheFly(target, bits);
        const platform::ColorValue oldBackground =
            platform::setBackgroundColor(target, platform::rgb(255, 255, 255));
        const platform::ColorValue oldText = platform::setTextColor(target, platform::rgb(0, 0, 0));
        platform::setBackgroundColor(picture.dc(), colorValue(transparentColor));
        bitBlt(onTheFly.dc(), 0, 0, w, h, picture.dc(), from.h, from.v, kRopSourceCopy);
        bitBlt(target, x, y, w, h, picture.dc(), from.h, from.v, kRopSourceInvert);
        bitBlt(target, x, y, w, h, onTheFly.dc(), 0, 0, kRopSourceAnd);
        bitBlt(target, x, y, w, h, picture.dc(), from.h, from.v, kRopSourceInvert);
        platform::setBackgroundColor(target, oldBackground);
        platform::setTextColor(target, oldText);
    }
    if (bits)
        platform::deleteObject(bits);
}

void Bitmap::drawAlphaBlend(DrawContext* context, const Rect& r, const Point& src,
                            unsigned char alpha) {
    if (!handle || !context || !alphaBlendFunction)
        return;
    platform::DeviceContext target = context->getSystemContext();
    const Copy c = copyFor(context, r, src);
    const SelectedBitmap picture(target, c.picture);
    const platform::BlendFunction blend{0, 0, alpha, 0};
    alphaBlendFunction(target, c.x, c.y, c.width, c.height, picture.dc(), c.sourceX, c.sourceY,
                       c.width, c.height, blend);
}

void Bitmap::setTransparencyMask(DrawContext* context, const Point& at) {
    if (mask) {
        platform::deleteObject(mask);
        mask = nullptr;
    }
    if (!context)
        return;
    platform::DeviceContext source = context->getSystemContext();
    mask = platform::createMonochromeBitmap(width, height);
    if (!mask)
        return;
    // Copying colour to one bit per pixel sets exactly the pixels that equal
    // the source's background colour.
    const SelectedBitmap bits(source, mask);
    const platform::ColorValue oldBackground =
        platform::setBackgroundColor(source, colorValue(transparentColor));
    bitBlt(bits.dc(), 0, 0, width, height, source, at.h, at.v, kRopSourceCopy);
    platform::setBackgroundColor(source, oldBackground);
}
