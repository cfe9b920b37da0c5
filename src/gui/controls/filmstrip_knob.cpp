#include "gui/controls/filmstrip_knob.h"

#include <cmath>

#include "gui/controls/stacked_images.h"

FilmstripKnob::FilmstripKnob(const Rect& r, ControlListener* listener_, int tag_, int count,
                             int height, Bitmap* background_, const Point& offset)
    : Knob(r, listener_, tag_, background_, nullptr, offset), imageCount(count),
      imageHeight(height) {
    // The whole knob is the picture: the pointer's circle reaches its rim.
    inset = 0;
}

FilmstripKnob::~FilmstripKnob() = default;

// value × imageHeight × (count - 1), rounded down to a whole image: each image
// stands for the values from its own step up to the next one. A negative
// value shows the first image; one beyond the maximum, or a stack of one
// image or none, never reads past the last image.
int FilmstripKnob::imageOffset() const {
    if (imageHeight <= 0 || imageCount < 2 || !(value > 0.0f))
        return 0;
    const int last = stackOffset(imageCount - 1, imageHeight);
    const float y = value * static_cast<float>(imageHeight) * static_cast<float>(imageCount - 1);
    if (y >= static_cast<float>(last))
        return last;
    const int pixels = wholePixels(y);
    return pixels - pixels % imageHeight;
}

void FilmstripKnob::draw(DrawContext* context) {
    drawPicture(background, context, bounds, Point(0, imageOffset()), transparent);
    setDirty(false);
}
