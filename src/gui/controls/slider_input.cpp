// The slider's input: the default-value gesture, the drag with fine tuning
// (in a loop of its own, or step by step as the frame hands over the
// pointer's moves), the wheel and the arrow keys.
#include <cstdint>

#include "gui/controls/slider.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

namespace {

bool containsInclusive(const Rect& r, const Point& p) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}

} // namespace

void Slider::onMouseDown(DrawContext* context, Point& where) {
    const int state = dragStartState(context);
    if (state == 0)
        return;

    // `delta` is the frame coordinate along the axis that maps to value 0.
    const int travelStart = along(Point(bounds.left, bounds.top)) + along(handleOrigin);
    int delta = 0;
    if (jumpOnClick) {
        // The handle's middle jumps under the pointer.
        delta = travelStart + handleLength() / 2 - 1;
    } else {
        const int leading = travelStart + travelOffset();
        const Rect grip =
            isHorizontal()
                ? Rect(leading, bounds.top + handleOrigin.v, leading + handleWidth,
                       bounds.top + handleOrigin.v + handleHeight)
                : Rect(bounds.left + handleOrigin.h, leading,
                       bounds.left + handleOrigin.h + handleWidth, leading + handleHeight);
        if (!containsInclusive(grip, where))
            return;
        // The drag is relative: the value does not jump where the handle was gripped.
        delta = travelStart + (along(where) - leading);
    }

    if (frame) {
        frame->beginEdit(tag);
        frame->setFocusView(this);
    }
    dragDelta = delta;
    referenceState = state;
    referenceValue = value;
    if (frame && frame->followPointer(this)) {
        // The press is the first step; the moves and the release come as
        // events, and the host's loop runs on between them.
        dragTo(context, where, state);
        return;
    }
    trackDrag(context, where);
    if (frame)
        frame->endEdit(tag);
}

// The first pass uses the position of the press itself; every pass lets the
// editor idle so that the window goes on painting while this loop holds the
// thread.
void Slider::trackDrag(DrawContext* context, Point where) {
    for (;;) {
        const int state = context->getMouseButtons();
        if ((state & kLButton) == 0)
            break;
        dragTo(context, where, state);
        context->getMouseLocation(where);
        processIdle();
    }
}

void Slider::dragTo(DrawContext* context, const Point& where, int state) {
    // Fine tuning counts from the value at which Shift (or a new
    // combination with it) came in; without Shift the plain mapping rules.
    const bool fine = (state & kShift) != 0;
    if (state != referenceState && fine) {
        referenceState = state;
        referenceValue = value;
    } else if (!fine) {
        referenceValue = value;
    }

    const auto offset = static_cast<std::int64_t>(along(where)) - dragDelta;
    float newValue = static_cast<float>(offset) / static_cast<float>(travel);
    // The pointer follows the drawing: value 0 at the far end unless the
    // style puts it at the leading end.
    if (!minimumAtLeadingEnd())
        newValue = 1.0f - newValue;
    if (fine)
        newValue = referenceValue + (newValue - referenceValue) / fineFactor;
    takeInputValue(newValue, context);
}

void Slider::pointerMoved(DrawContext* context, Point where, int state) {
    dragTo(context, where, state);
}

void Slider::pointerReleased(DrawContext*) {
    if (frame)
        frame->endEdit(tag);
}

bool Slider::onWheel(DrawContext* context, Point&, float distance) {
    return stepByWheel(context, distance);
}

int Slider::onKeyDown(KeyCode& key) {
    return stepByArrowKey(key);
}
