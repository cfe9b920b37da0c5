#include "gui/controls/three_way_switch.h"

#include "gui/controls/slider.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

ThreeWaySwitch::ThreeWaySwitch(const Rect& r, ControlListener* listener_, int tag_, int height,
                               Bitmap* background_, const Point& offset, int style_)
    : Control(r, listener_, tag_, background_), imageHeight(height), style(style_) {
    backgroundOffset = offset;
}

ThreeWaySwitch::~ThreeWaySwitch() = default;

// The three values map onto the three images; anything in between (or not a
// number) shows the side it leans to, or the middle.
int ThreeWaySwitch::imageNumber() const {
    if (value < 0.0f)
        return 0;
    if (value > 0.0f)
        return 2;
    return 1;
}

void ThreeWaySwitch::draw(DrawContext* context) {
    const Point source(backgroundOffset.h,
                       backgroundOffset.v + stackOffset(imageNumber(), imageHeight));
    drawPicture(background, context, bounds, source, transparent);
    setDirty(false);
}

void ThreeWaySwitch::tellListener(DrawContext* context) {
    if (listener)
        listener->valueChanged(context, this);
}

// Every edge belongs to the switch; the middle line belongs to the second half.
float ThreeWaySwitch::valueAt(const Point& where, float outside) const {
    const bool inside = where.h >= bounds.left && where.h <= bounds.right &&
                        where.v >= bounds.top && where.v <= bounds.bottom;
    if (!inside)
        return outside;
    const bool leftRight = (style & styleHorizontal) != 0;
    const int along = leftRight ? where.h - bounds.left : where.v - bounds.top;
    const int half = (leftRight ? bounds.getWidth() : bounds.getHeight()) / 2;
    return along < half ? -1.0f : 1.0f;
}

// Held, the switch shows the side under the pointer (off the switch, the
// value it had at the press) for as long as any button or modifier is
// down; released, it springs back to 0.0, which the listener always hears
// last, inside the edit bracket.
void ThreeWaySwitch::onMouseDown(DrawContext* context, Point& where) {
    if (!mouseEnabled || !context)
        return;
    if ((context->getMouseButtons() & kLButton) == 0)
        return;
    const float pressValue = value;
    if (frame)
        frame->beginEdit(tag);
    Point pointer = where;
    while (context->getMouseButtons() != 0) {
        const float before = value;
        value = valueAt(pointer, pressValue);
        if (value != before)
            notifyIfDirty(context);
        context->getMouseLocation(pointer);
        processIdle();
    }
    value = 0.0f;
    tellListener(context);
    if (frame)
        frame->endEdit(tag);
}

// One notch flicks the switch: up to -1.0, down to +1.0, then back to 0.0.
bool ThreeWaySwitch::onWheel(DrawContext* context, Point&, float distance) {
    if (!mouseEnabled)
        return false;
    value = distance > 0.0f ? -1.0f : 1.0f;
    notifyIfDirty(context);
    value = 0.0f;
    tellListener(context);
    return true;
}
