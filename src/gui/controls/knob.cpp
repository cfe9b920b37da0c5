// Construction, the angle mapping in both directions and drawing of the knob.
#include "gui/controls/knob.h"

#include <cmath>

#include "gui/bitmap.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
// The value starts at the lower left (5π/4) and runs 270 degrees clockwise,
// leaving the dead zone at the bottom.
constexpr float kDefaultStartAngle = 3.9269907f;
constexpr float kDefaultRangeAngle = -4.712389f;
// Without a handle picture the lines stop this far inside the rim.
constexpr int kLineInset = 3;

int insetFor(Bitmap* handle) {
    if (!handle)
        return kLineInset;
    return wholePixels(static_cast<float>(handle->getWidth()) * 0.5f + 2.5f);
}

// Into [0, 2π] once, as the dead-zone tests need.
float wrapOnce(float t) {
    if (t < 0.0f)
        return t + kTwoPi;
    if (t > kTwoPi)
        return t - kTwoPi;
    return t;
}

} // namespace

Knob::Knob(const Rect& r, ControlListener* listener_, int tag_, Bitmap* background_,
           Bitmap* handle_, const Point& offset)
    : Control(r, listener_, tag_, background_), handle(handle_),
      radius(static_cast<float>(r.right - r.left) * 0.5f) {
    backgroundOffset = offset;
    if (handle)
        handle->retain();
    inset = insetFor(handle);
    setStartAngle(kDefaultStartAngle);
    setRangeAngle(kDefaultRangeAngle);
}

Knob::~Knob() {
    if (handle)
        handle->release();
}

// The coefficients follow the bounds as they are now, so a knob whose
// minimum or maximum is set after construction maps over its new range.
// A range angle of 0 has no slope: every value then sits at the start angle.
Knob::Mapping Knob::mapping() const {
    const float a = rangeAngle != 0.0f ? (maxValue - minValue) / rangeAngle : 0.0f;
    return Mapping{a, minValue - a * startAngle};
}

void Knob::setStartAngle(float angle) {
    startAngle = angle;
    halfDeadAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
    setDirty(true);
}
float Knob::getStartAngle() {
    return startAngle;
}

void Knob::setRangeAngle(float angle) {
    rangeAngle = angle;
    halfDeadAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
    setDirty(true);
}
float Knob::getRangeAngle() {
    return rangeAngle;
}

void Knob::valueToPoint(Point& point) {
    const Mapping m = mapping();
    float angle = m.a != 0.0f ? (value - m.b) / m.a : startAngle;
    // No slope (equal bounds or no range angle) or a value that is not a
    // number: the start angle, where the minimum lies.
    if (!std::isfinite(angle))
        angle = startAngle;
    const float reach = radius - static_cast<float>(inset);
    point.h = wholePixels(radius + std::cos(angle) * reach + 0.5f);
    point.v = wholePixels(radius - std::sin(angle) * reach + 0.5f);
}

// The angle is measured counter-clockwise from the right, with y pointing
// down on the screen, and counted from the start angle. The dead zone
// outside the range is split in two: each half goes to the end it adjoins.
float Knob::pointToValue(Point& point) {
    const Mapping m = mapping();
    float theta =
        std::atan2(radius - static_cast<float>(point.v), static_cast<float>(point.h) - radius);
    if (theta < 0.0f)
        theta += kTwoPi;
    theta -= startAngle;
    const float half = halfDeadAngle;

    if (rangeAngle >= 0.0f) {
        const float t = theta;
        const float u = wrapOnce(t);
        if (u > rangeAngle + half)
            return minValue;
        if (u > rangeAngle)
            return maxValue;
        float inRange = t;
        if (t > rangeAngle + half)
            inRange = t - kTwoPi;
        else if (t < -half)
            inRange = t + kTwoPi;
        return minValue + m.a * inRange;
    }
    const float t = theta - rangeAngle;
    const float u = wrapOnce(t);
    if (u > half - rangeAngle)
        return maxValue;
    if (u > -rangeAngle)
        return minValue;
    float inRange = t;
    if (t > half - rangeAngle)
        inRange = t - kTwoPi;
    else if (t < -half)
        inRange = t + kTwoPi;
    return maxValue + m.a * inRange;
}

void Knob::setInset(int pixels) {
    inset = pixels;
}

void Knob::setShadowColor(Color c) {
    shadowColor = c;
    setDirty(true);
}

void Knob::setPointerColor(Color c) {
    pointerColor = c;
    setDirty(true);
}

void Knob::setHandleBitmap(Bitmap* bitmap) {
    // Retained before the old one goes, so setting the same picture again keeps it.
    if (bitmap)
        bitmap->retain();
    if (handle)
        handle->release();
    handle = bitmap;
    inset = insetFor(handle);
}

void Knob::setZoomFactor(float factor) {
    zoomFactor = factor;
}
float Knob::getZoomFactor() {
    return zoomFactor;
}

void Knob::draw(DrawContext* context) {
    drawPicture(background, context, bounds, backgroundOffset, transparent);
    drawHandle(context);
    setDirty(false);
}

// A handle picture is centred on the value's point; without one, a shadow
// line and a pointer line one pixel apart run from the point to the centre.
void Knob::drawHandle(DrawContext* context) {
    if (!context)
        return;
    Point p;
    valueToPoint(p);
    if (handle) {
        const int w = handle->getWidth();
        const int h = handle->getHeight();
        const int left = bounds.left + p.h - w / 2;
        const int top = bounds.top + p.v - h / 2;
        handle->drawTransparent(context, Rect(left, top, left + w, top + h), Point(0, 0));
        return;
    }
    const int cx = bounds.left + bounds.getWidth() / 2;
    const int cy = bounds.top + bounds.getHeight() / 2;
    context->setFrameColor(shadowColor);
    context->moveTo(Point(bounds.left + p.h - 1, bounds.top + p.v));
    context->lineTo(Point(cx - 1, cy));
    context->setFrameColor(pointerColor);
    context->moveTo(Point(bounds.left + p.h, bounds.top + p.v - 1));
    context->lineTo(Point(cx, cy - 1));
}
