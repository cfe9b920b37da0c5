#include "gui/controls/filmstrip_button.h"

#include "gui/controls/button_press.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

FilmstripButton::FilmstripButton(const Rect& r, ControlListener* listener_, int tag_, int height,
                                 Bitmap* background_, const Point& offset)
    : Control(r, listener_, tag_, background_), imageHeight(height) {
    backgroundOffset = offset;
}

FilmstripButton::~FilmstripButton() = default;

// The value is brought into its bounds first, so a value that is not a
// number shows (and becomes) the minimum.
void FilmstripButton::draw(DrawContext* context) {
    clampValue();
    const int y = value == 0.0f ? 0 : stackOffset(1, imageHeight);
    drawPicture(background, context, bounds, Point(0, y), transparent);
    setDirty(false);
}

// 0.0 flips to 1.0 and anything else to 0.0 while the pointer is on the button.
void FilmstripButton::onMouseDown(DrawContext* context, Point& where) {
    if (!mouseEnabled || !context)
        return;
    const int state = context->getMouseButtons();
    if ((state & kLButton) == 0)
        return;
    const float pressValue = value;
    const float flipped = pressValue == 0.0f ? 1.0f : 0.0f;
    if (frame)
        frame->beginEdit(tag);
    trackButtonPress(*this, context, where, state, flipped, pressValue);
    if (frame)
        frame->endEdit(tag);
}
