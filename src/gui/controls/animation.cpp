#include "gui/controls/animation.h"

#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"

Animation::Animation(const Rect& r, ControlListener* listener_, int tag_, int count, int height,
                     Bitmap* background_, const Point& offset)
    : Control(r, listener_, tag_, background_), imageCount(count), imageHeight(height) {
    backgroundOffset = offset;
}

Animation::~Animation() = default;

void Animation::draw(DrawContext* context) {
    if (open) {
        const Point source(backgroundOffset.h, backgroundOffset.v + wholePixels(value));
        drawPicture(background, context, bounds, source, transparent);
    }
    setDirty(false);
}

void Animation::onMouseDown(DrawContext* context, Point&) {
    if (!mouseEnabled || !context)
        return;
    if ((context->getMouseButtons() & kLButton) == 0)
        return;
    value = 0.0f;
    if (open) {
        // The first image stays on screen after closing, which stops drawing.
        draw(context);
        closeAnimation();
        return;
    }
    openAnimation();
    setDirty(true);
    if (listener)
        listener->valueChanged(context, this);
}

void Animation::openAnimation() {
    open = true;
}

void Animation::closeAnimation() {
    open = false;
}

float Animation::lastImageOffset() const {
    return static_cast<float>(stackOffset(imageCount - 1, imageHeight));
}

// Stepping visits every image of the stack in turn and wraps at image
// boundaries: after the last image (offset (count - 1) × imageHeight) comes
// the first (offset 0), and before the first comes the last. Wrapping one
// step earlier would leave the last image out of every forward cycle, and
// wrapping to a point off an image boundary would show two images cut in
// half; neither is what a picture sequence wants. A stack without images
// of positive height stays at 0; a value that is not a number goes to the
// first image forward and to the last backward.
void Animation::nextImage() {
    if (imageCount < 1 || imageHeight <= 0) {
        value = 0.0f;
        return;
    }
    value += static_cast<float>(imageHeight);
    if (!(value <= lastImageOffset()))
        value = 0.0f;
}

void Animation::previousImage() {
    if (imageCount < 1 || imageHeight <= 0) {
        value = 0.0f;
        return;
    }
    value -= static_cast<float>(imageHeight);
    // From anywhere past the end (a value set from outside) it comes back to
    // the last image too.
    if (!(value >= 0.0f) || value > lastImageOffset())
        value = lastImageOffset();
}
