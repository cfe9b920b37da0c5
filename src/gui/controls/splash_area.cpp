#include "gui/controls/splash_area.h"

#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

SplashArea::SplashArea(const Rect& r, ControlListener* listener_, int tag_, Bitmap* background_,
                       const Rect& splash, const Point& offset)
    : Control(r, listener_, tag_, background_), splashRect(splash), keepBounds(r) {
    backgroundOffset = offset;
}

SplashArea::~SplashArea() = default;

void SplashArea::draw(DrawContext* context) {
    if (value != 0.0f)
        drawPicture(background, context, splashRect, backgroundOffset, transparent);
    setDirty(false);
}

// Only the left button opens or closes; every edge belongs to the area.
bool SplashArea::hitTest(const Point& where, int buttons) {
    if ((buttons & kLButton) == 0)
        return false;
    return where.h >= bounds.left && where.h <= bounds.right && where.v >= bounds.top &&
           where.v <= bounds.bottom;
}

void SplashArea::tellListener(DrawContext* context) {
    if (listener)
        listener->valueChanged(context, this);
}

// Opening asks the frame for the modal view; when another view holds it the
// click does nothing, so the value never says "open" for a picture that is
// not shown. While open, the area is the splash rectangle.
void SplashArea::onMouseDown(DrawContext* context, Point& where) {
    if (!mouseEnabled || !context)
        return;
    if (!hitTest(where, context->getMouseButtons()))
        return;
    if (value == 0.0f) {
        if (!frame || !frame->setModalView(this))
            return;
        value = 1.0f;
        modal = true;
        keepBounds = bounds;
        bounds = splashRect;
        draw(context);
        tellListener(context);
    } else {
        value = 0.0f;
        bounds = keepBounds;
        if (modal && frame) {
            frame->setModalView(nullptr);
            frame->drawView(nullptr);
        }
        modal = false;
        tellListener(context);
    }
    setDirty(true);
}

void SplashArea::closeSplash() {
    value = 0.0f;
    if (!modal)
        return;
    bounds = keepBounds;
    modal = false;
    if (frame && frame->getModalView() == this) {
        frame->setModalView(nullptr);
        frame->drawView(nullptr);
    }
}
