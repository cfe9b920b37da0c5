#include "gui/controls/toggle_button.h"

#include <cmath>

#include "gui/bitmap.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"

ToggleButton::ToggleButton(const Rect& r, ControlListener* listener_, int tag_, Bitmap* background_)
    : Control(r, listener_, tag_, background_) {}

ToggleButton::~ToggleButton() = default;

// Only exactly 0.0 shows the upper ("off") half; any other value shows the lower one.
void ToggleButton::draw(DrawContext* context) {
    if (background) {
        const int half = value == 0.0f ? 0 : background->getHeight() / 2;
        drawPicture(background, context, bounds, Point(0, half), transparent);
    }
    setDirty(false);
}

// A value whose whole part is not 0 is "on" and turns off; anything else
// turns on. The whole part is taken in floating point, so values far out of
// range or not a number (which counts as on, as drawn) convert safely.
void ToggleButton::onMouseDown(DrawContext* context, Point&) {
    if (!mouseEnabled || !context)
        return;
    if ((context->getMouseButtons() & kLButton) == 0)
        return;
    value = std::trunc(value) != 0.0f ? 0.0f : 1.0f;
    processIdle();
    // Every click is news, even one that lands on the value last drawn.
    if (listener)
        listener->valueChanged(context, this);
}
