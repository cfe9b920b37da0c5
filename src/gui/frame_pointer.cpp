// The frame following the pointer for one view from a press to its release,
// where the window system delivers the moves and the release as events: the
// view's drag goes on while the host's own loop keeps running between them.
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/pointer_follower.h"
#include "gui/scale.h"
#include "platform/graphics.h"
#include "platform/window.h"

bool Frame::followPointer(View* view) {
    if (!view || !window || platform::dragStyle() != platform::DragStyle::PointerEvents)
        return false;
    if (!dynamic_cast<PointerFollower*>(view))
        return false;
    pointerFollower = view;
    return true;
}

void Frame::onPointerMessage(int x, int y, int state) {
    if (!pointerFollower || !window)
        return;
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        if ((state & kLButton) != 0)
            dynamic_cast<PointerFollower*>(pointerFollower)
                ->pointerMoved(&context, Point(scale::toUnits(x, scale), scale::toUnits(y, scale)),
                               state);
        else
            endPointerFollowing(&context);
    }
    platform::releaseDC(window, dc);
}

void Frame::endPointerFollowing(DrawContext* context) {
    View* follower = pointerFollower;
    if (!follower)
        return;
    // Forgotten first: whatever the view does when told cannot end it twice.
    pointerFollower = nullptr;
    dynamic_cast<PointerFollower*>(follower)->pointerReleased(context);
}
