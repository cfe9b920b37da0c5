#include "gui/controls/button_press.h"

#include "gui/control.h"
#include "gui/draw_context.h"

namespace {

void tellIfDirty(Control& button, DrawContext* context) {
    if (button.isDirty())
        tellListener(button, context);
}

} // namespace

void tellListener(Control& button, DrawContext* context) {
    if (ControlListener* listener = button.getListener())
        listener->valueChanged(context, &button);
}

void trackButtonPress(Control& button, DrawContext* context, Point where, int pressState,
                      float onButton, float offButton) {
    Rect r;
    button.getBounds(r);
    for (bool first = true;; first = false) {
        if (!first && context->getMouseButtons() != pressState)
            break;
        // Every edge belongs to the button.
        const bool on =
            where.h >= r.left && where.h <= r.right && where.v >= r.top && where.v <= r.bottom;
        button.setValue(on ? onButton : offButton);
        tellIfDirty(button, context);
        context->getMouseLocation(where);
        button.processIdle();
    }
}
