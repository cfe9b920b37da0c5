// Construction, the handle's geometry and drawing of the slider.
#include "gui/controls/slider.h"

#include <algorithm>
#include <new>

#include "gui/bitmap.h"
#include "gui/offscreen_context.h"

Slider::Slider(const Rect& r, ControlListener* listener_, int tag_, int minPosition,
               int maxPosition, Bitmap* handle_, Bitmap* background_, const Point& origin,
               int style_)
    : Slider(r, listener_, tag_, handle_, background_, origin, style_) {
    minPos = minPosition - (isHorizontal() ? r.left : r.top);
    travel = maxPosition - minPosition;
    setHandleOrigin(Point(0, 0));
}

Slider::Slider(const Rect& r, ControlListener* listener_, int tag_, const Point& handleOrigin_,
               int range, Bitmap* handle_, Bitmap* background_, const Point& origin, int style_)
    : Slider(r, listener_, tag_, handle_, background_, origin, style_) {
    minPos = 0;
    travel = range - handleLength();
    setHandleOrigin(handleOrigin_);
}

Slider::Slider(const Rect& r, ControlListener* listener_, int tag_, Bitmap* handle_,
               Bitmap* background_, const Point& origin, int style_)
    : Control(r, listener_, tag_, background_), backgroundOrigin(origin), handle(handle_),
      style(style_), controlWidth(r.getWidth()), controlHeight(r.getHeight()) {
    if (handle) {
        handle->retain();
        handleWidth = handle->getWidth();
        handleHeight = handle->getHeight();
    }
}

Slider::~Slider() {
    if (handle)
        handle->release();
    // Normally gone with onRemoved; a slider freed without removal keeps no surface.
    delete offscreen;
}

void Slider::setTransparentHandle(bool on) {
    transparentHandle = on;
}
void Slider::setJumpOnClick(bool on) {
    jumpOnClick = on;
}
bool Slider::getJumpOnClick() {
    return jumpOnClick;
}

void Slider::setHandleOrigin(Point origin) {
    handleOrigin = origin;
    handleMinLimit = along(origin) + minPos;
    handleMaxLimit = handleMinLimit + travel + handleLength();
}

// The travel and the limits stay as they were; with null the old size stays too.
void Slider::setHandle(Bitmap* bitmap) {
    // Retained before the old one goes, so setting the same picture again keeps it.
    if (bitmap)
        bitmap->retain();
    if (handle)
        handle->release();
    handle = bitmap;
    if (handle) {
        handleWidth = handle->getWidth();
        handleHeight = handle->getHeight();
    }
}

Bitmap* Slider::getHandle() {
    return handle;
}
void Slider::setFineFactor(float factor) {
    fineFactor = factor;
}
float Slider::getFineFactor() {
    return fineFactor;
}

bool Slider::onAttached(View*) {
    delete offscreen;
    // Its pixels map as the frame's where it is copied to.
    offscreen = new (std::nothrow) OffscreenContext(frame, controlWidth, controlHeight, colorBlack,
                                                    Point(bounds.left, bounds.top));
    return true;
}

bool Slider::onRemoved(View*) {
    delete offscreen;
    offscreen = nullptr;
    return true;
}

int Slider::travelOffset() {
    const float position = minimumAtLeadingEnd() ? value : 1.0f - value;
    return wholePixels(static_cast<float>(travel) * position);
}

// The handle positions leave minPos out, as the limits do not: with the
// travel starting at the slider's leading edge (minPos 0, the only layout
// used here) the two agree.
Rect Slider::handleRectInSlider() {
    const int length = handleLength();
    int leading = std::max(travelOffset() + along(handleOrigin), handleMinLimit);
    int trailing = leading + length;
    if (trailing > handleMaxLimit) {
        // Only a value beyond the far end, set from outside, gets here: the
        // whole handle is drawn at that end rather than a cut or inverted one.
        trailing = handleMaxLimit;
        leading = std::max(trailing - length, handleMinLimit);
    }
    if (isHorizontal())
        return Rect(leading, handleOrigin.v, trailing, handleOrigin.v + handleHeight);
    return Rect(handleOrigin.h, leading, handleOrigin.h + handleWidth, trailing);
}

// Background and handle are composed off screen, then copied to the window at once.
void Slider::draw(DrawContext* context) {
    // The frame's scale changed since the surface was made.
    if (offscreen && context && offscreen->getScale() != context->getScale())
        onAttached(nullptr);
    if (!offscreen)
        return;
    const Rect whole(0, 0, controlWidth, controlHeight);
    if (background) {
        if (transparent)
            background->drawTransparent(offscreen, whole, backgroundOrigin);
        else
            background->draw(offscreen, whole, backgroundOrigin);
    }
    if (handle) {
        const Rect r = handleRectInSlider();
        if (transparentHandle)
            handle->drawTransparent(offscreen, r, Point(0, 0));
        else
            handle->draw(offscreen, r, Point(0, 0));
    }
    offscreen->copyTo(context, bounds, Point(0, 0));
    setDirty(false);
}

HorizontalSlider::HorizontalSlider(const Rect& r, ControlListener* listener_, int tag_,
                                   int minPosition, int maxPosition, Bitmap* handle_,
                                   Bitmap* background_, const Point& origin, int style_)
    : Slider(r, listener_, tag_, minPosition, maxPosition, handle_, background_, origin,
             style_ | styleHorizontal) {}

HorizontalSlider::HorizontalSlider(const Rect& r, ControlListener* listener_, int tag_,
                                   const Point& handleOrigin_, int range, Bitmap* handle_,
                                   Bitmap* background_, const Point& origin, int style_)
    : Slider(r, listener_, tag_, handleOrigin_, range, handle_, background_, origin,
             style_ | styleHorizontal) {}

HorizontalSlider::~HorizontalSlider() = default;

VerticalSlider::VerticalSlider(const Rect& r, ControlListener* listener_, int tag_, int minPosition,
                               int maxPosition, Bitmap* handle_, Bitmap* background_,
                               const Point& origin, int style_)
    : Slider(r, listener_, tag_, minPosition, maxPosition, handle_, background_, origin,
             style_ | styleVertical) {}

VerticalSlider::VerticalSlider(const Rect& r, ControlListener* listener_, int tag_,
                               const Point& handleOrigin_, int range, Bitmap* handle_,
                               Bitmap* background_, const Point& origin, int style_)
    : Slider(r, listener_, tag_, handleOrigin_, range, handle_, background_, origin,
             style_ | styleVertical) {}

VerticalSlider::~VerticalSlider() = default;
