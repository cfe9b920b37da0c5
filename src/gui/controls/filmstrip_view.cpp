#include "gui/controls/filmstrip_view.h"

#include "gui/controls/stacked_images.h"

FilmstripView::FilmstripView(const Rect& r, ControlListener* listener_, int tag_, int count,
                             int height, Bitmap* background_, const Point& offset)
    : Control(r, listener_, tag_, background_), imageCount(count), imageHeight(height) {
    backgroundOffset = offset;
}

FilmstripView::~FilmstripView() = default;

// Values at or below 0 (and values that are not numbers) show the first image.
int FilmstripView::imageNumber() const {
    if (!(value > 0.0f))
        return 0;
    const float steps = static_cast<float>(imageCount - 1);
    return limitedImage(wholePixels(steps * value + 0.5f), imageCount);
}

// A value above 1.0 is brought down to 1.0 for good, so it shows (and
// stays at) the last image.
void FilmstripView::draw(DrawContext* context) {
    if (value > 1.0f)
        value = 1.0f;
    const Point source(backgroundOffset.h,
                       backgroundOffset.v + stackOffset(imageNumber(), imageHeight));
    drawPicture(background, context, bounds, source, transparent);
    setDirty(false);
}
