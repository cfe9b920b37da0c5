// A view that follows the pointer from a press to its release where the
// window system hands over the pointer's moves as events (no loop of the
// view's own). It asks its frame with Frame::followPointer at the press; the
// frame then passes each move on, and tells it once when the drag is over.
// Views that drag derive from this besides View.
#pragma once

#include "gui/geometry.h"

class DrawContext;

class PointerFollower {
public:
    // The pointer at `where` (frame coordinates, outside the frame too) with
    // the left button still held; `state` holds MouseState bits.
    virtual void pointerMoved(DrawContext* context, Point where, int state) = 0;
    // The left button is up, or the drag was cut short (the view removed,
    // the window gone, another press); null without a window to draw into.
    virtual void pointerReleased(DrawContext* context) = 0;

protected:
    // Never deleted through this side: the view's own destructor runs.
    ~PointerFollower() = default;
};
