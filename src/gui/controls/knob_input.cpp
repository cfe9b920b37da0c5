// The knob's input: the default-value gesture, circular and linear drags
// with their edit bracket, the wheel and the arrow keys.
#include "gui/controls/knob.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

namespace {

// Pixels of pointer travel (right plus up) for the whole range in a linear drag.
constexpr float kLinearDragLength = 200.0f;

bool samePoint(const Point& a, const Point& b) {
    return a.h == b.h && a.v == b.v;
}

} // namespace

// Circular unless the host asked for linear knobs; Alt swaps the two.
void Knob::onMouseDown(DrawContext* context, Point& where) {
    const int state = dragStartState(context);
    if (state == 0)
        return;

    const bool alt = (state & kAlt) != 0;
    const bool linearMode = frame && frame->getKnobMode() == kLinearMode;
    const bool circular = linearMode == alt;

    if (frame) {
        frame->beginEdit(tag);
        frame->setFocusView(this);
    }
    if (circular)
        trackCircular(context, where);
    else
        trackLinear(context, where, state);
    if (frame)
        frame->endEdit(tag);
}

// The value follows the pointer's angle. A jump of more than half the range
// between two passes means the pointer crossed the dead zone: the value then
// stays at the end it left from until the pointer comes back.
void Knob::trackCircular(DrawContext* context, Point where) {
    const Point corner(bounds.left, bounds.top);
    const float halfRange = (maxValue - minValue) * 0.5f;
    Point relative(where.h - corner.h, where.v - corner.v);
    float previous = pointToValue(relative);
    Point last = where;
    bool first = true;
    for (;;) {
        if (!first && (context->getMouseButtons() & kLButton) == 0)
            break;
        if (first || !samePoint(where, last)) {
            last = where;
            relative = Point(where.h - corner.h, where.v - corner.v);
            const float v = pointToValue(relative);
            if (previous - v > halfRange) {
                value = maxValue;
            } else if (v - previous > halfRange) {
                value = minValue;
            } else {
                value = v;
                previous = v;
            }
            notifyIfDirty(context);
        }
        first = false;
        context->getMouseLocation(where);
        processIdle();
    }
}

// Right and up raise the value, left and down lower it: the whole range over
// 200 pixels, or over the zoom factor times that with Shift. A change of
// the mouse state moves the starting value so the value does not jump.
void Knob::trackLinear(DrawContext* context, Point where, int startState) {
    auto scaleFor = [this](int state) {
        float length = kLinearDragLength;
        if ((state & kShift) != 0)
            length *= zoomFactor;
        // A zoom factor that leaves no length (or is not a number) drags plainly.
        if (!(length > 0.0f))
            length = kLinearDragLength;
        return (maxValue - minValue) / length;
    };
    const Point press = where;
    int referenceState = startState;
    float scale = scaleFor(startState);
    float start = value;
    Point last = where;
    bool first = true;
    for (;;) {
        const int state = context->getMouseButtons();
        if (!first && (state & kLButton) == 0)
            break;
        const auto g = static_cast<float>(static_cast<long long>(where.h) - press.h +
                                          (static_cast<long long>(press.v) - where.v));
        if (state != referenceState) {
            const float newScale = scaleFor(state);
            start += (scale - newScale) * g;
            scale = newScale;
            referenceState = state;
        }
        if (first || !samePoint(where, last)) {
            last = where;
            takeInputValue(start + g * scale, context);
        }
        first = false;
        context->getMouseLocation(where);
        processIdle();
    }
}

bool Knob::onWheel(DrawContext* context, Point&, float distance) {
    return stepByWheel(context, distance);
}

int Knob::onKeyDown(KeyCode& key) {
    return stepByArrowKey(key);
}
