#include "gui/controls/momentary_button.h"

#include "gui/controls/button_press.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

MomentaryButton::MomentaryButton(const Rect& r, ControlListener* listener_, int tag_, int height,
                                 Bitmap* background_, const Point& offset)
    : Control(r, listener_, tag_, background_), imageHeight(height) {
    backgroundOffset = offset;
}

MomentaryButton::~MomentaryButton() = default;

void MomentaryButton::draw(DrawContext* context) {
    clampValue();
    const int image = value == 0.0f ? 0 : 1;
    const Point source(backgroundOffset.h, backgroundOffset.v + stackOffset(image, imageHeight));
    drawPicture(background, context, bounds, source, transparent);
    setDirty(false);
}

// Held with the left button alone, the button is pressed while the pointer
// is on it (inside an edit bracket). With a modifier or another button as
// well, the press flips the value once instead. Either way the release
// brings the value back to 0.0 and the listener hears that last.
void MomentaryButton::onMouseDown(DrawContext* context, Point& where) {
    if (!mouseEnabled || !context)
        return;
    const int state = context->getMouseButtons();
    if ((state & kLButton) == 0)
        return;
    const float pressValue = value;
    const float flipped = pressValue == 0.0f ? 1.0f : 0.0f;
    if (state == kLButton) {
        if (frame)
            frame->beginEdit(tag);
        trackButtonPress(*this, context, where, state, flipped, pressValue);
        value = 0.0f;
        tellListener(*this, context);
        if (frame)
            frame->endEdit(tag);
        return;
    }
    value = flipped;
    tellListener(*this, context);
    value = 0.0f;
    tellListener(*this, context);
}
