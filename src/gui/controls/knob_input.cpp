// The knob's input: the default-value gesture, circular and linear drags
// with their edit bracket (in a loop of their own, or step by step as the
// frame hands over the pointer's moves), the wheel and the arrow keys.
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
    drag = Drag{};
    drag.circular = circular;
    drag.press = where;
    drag.last = where;
    if (circular) {
        Point relative(where.h - bounds.left, where.v - bounds.top);
        drag.previous = pointToValue(relative);
    } else {
        drag.referenceState = state;
        drag.scale = linearScale(state);
        drag.start = value;
    }
    if (frame && frame->followPointer(this)) {
        // The press is the first step; the moves and the release come as
        // events, and the host's loop runs on between them.
        if (circular)
            circularStep(context, where, true);
        else
            linearStep(context, where, state, true);
        return;
    }
    if (circular)
        trackCircular(context, where);
    else
        trackLinear(context, where);
    if (frame)
        frame->endEdit(tag);
}

void Knob::trackCircular(DrawContext* context, Point where) {
    bool first = true;
    for (;;) {
        if (!first && (context->getMouseButtons() & kLButton) == 0)
            break;
        circularStep(context, where, first);
        first = false;
        context->getMouseLocation(where);
        processIdle();
    }
}

void Knob::trackLinear(DrawContext* context, Point where) {
    bool first = true;
    for (;;) {
        const int state = context->getMouseButtons();
        if (!first && (state & kLButton) == 0)
            break;
        linearStep(context, where, state, first);
        first = false;
        context->getMouseLocation(where);
        processIdle();
    }
}

// The value follows the pointer's angle. A jump of more than half the range
// between two steps means the pointer crossed the dead zone: the value then
// stays at the end it left from until the pointer comes back.
void Knob::circularStep(DrawContext* context, const Point& where, bool first) {
    if (!first && samePoint(where, drag.last))
        return;
    drag.last = where;
    Point relative(where.h - bounds.left, where.v - bounds.top);
    const float v = pointToValue(relative);
    const float halfRange = (maxValue - minValue) * 0.5f;
    if (drag.previous - v > halfRange) {
        value = maxValue;
    } else if (v - drag.previous > halfRange) {
        value = minValue;
    } else {
        value = v;
        drag.previous = v;
    }
    notifyIfDirty(context);
}

// Right and up raise the value, left and down lower it: the whole range over
// 200 pixels, or over the zoom factor times that with Shift.
float Knob::linearScale(int state) const {
    float length = kLinearDragLength;
    if ((state & kShift) != 0)
        length *= zoomFactor;
    // A zoom factor that leaves no length (or is not a number) drags plainly.
    if (!(length > 0.0f))
        length = kLinearDragLength;
    return (maxValue - minValue) / length;
}

// A change of the mouse state moves the starting value so the value does
// not jump.
void Knob::linearStep(DrawContext* context, const Point& where, int state, bool first) {
    const auto g = static_cast<float>(static_cast<long long>(where.h) - drag.press.h +
                                      (static_cast<long long>(drag.press.v) - where.v));
    if (state != drag.referenceState) {
        const float newScale = linearScale(state);
        drag.start += (drag.scale - newScale) * g;
        drag.scale = newScale;
        drag.referenceState = state;
    }
    if (first || !samePoint(where, drag.last)) {
        drag.last = where;
        takeInputValue(drag.start + g * drag.scale, context);
    }
}

void Knob::pointerMoved(DrawContext* context, Point where, int state) {
    if (drag.circular) {
        circularStep(context, where, false);
        return;
    }
    // A move reports the state it was made with: a new one (Shift pressed
    // since the last step) rules from the last step's position on.
    linearStep(context, drag.last, state, false);
    linearStep(context, where, state, false);
}

void Knob::pointerReleased(DrawContext*) {
    if (frame)
        frame->endEdit(tag);
}

bool Knob::onWheel(DrawContext* context, Point&, float distance) {
    return stepByWheel(context, distance);
}

int Knob::onKeyDown(KeyCode& key) {
    return stepByArrowKey(key);
}
