#include "gui/controls/level_meter.h"

#include <cmath>

#include "gui/bitmap.h"
#include "gui/controls/slider.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"

LevelMeter::LevelMeter(const Rect& r, Bitmap* on, Bitmap* off, int segments, int style_)
    : Control(r, nullptr, 0, nullptr), onBitmap(on), offBitmap(off), segmentCount(segments),
      style(style_) {
    if (onBitmap)
        onBitmap->retain();
    if (offBitmap)
        offBitmap->retain();
}

LevelMeter::~LevelMeter() {
    if (onBitmap)
        onBitmap->release();
    if (offBitmap)
        offBitmap->release();
}

void LevelMeter::setDirty(bool on) {
    View::setDirty(on);
}

void LevelMeter::setDecayStep(float step) {
    decayStep = step;
}

// The level goes to whole segments (k of them, rounded), then to pixels of
// the on picture. Fewer than one segment counts as one, and the fraction is
// held to [0, 1], so neither a segment count of 0 nor a level out of range
// (or not a number) divides by zero or reaches past the picture.
int LevelMeter::splitFor(float shown) const {
    if (!onBitmap)
        return 0;
    const bool horizontal = (style & styleHorizontal) != 0;
    const float segments = static_cast<float>(segmentCount < 1 ? 1 : segmentCount);
    const float level = horizontal ? shown : maxValue - shown;
    float fraction = std::trunc(segments * level + 0.5f) / segments;
    if (!(fraction >= 0.0f))
        fraction = 0.0f;
    if (fraction > 1.0f)
        fraction = 1.0f;
    const int length = horizontal ? onBitmap->getWidth() : onBitmap->getHeight();
    return wholePixels(fraction * static_cast<float>(length));
}

void LevelMeter::draw(DrawContext* context) {
    float shown = oldValue - decayStep;
    if (!(shown >= value))
        shown = value;
    oldValue = shown;
    if (!onBitmap) {
        setDirty(false);
        return;
    }

    const int px = splitFor(shown);
    if ((style & styleHorizontal) != 0) {
        const int split = bounds.left + px < bounds.right ? bounds.left + px : bounds.right;
        drawPicture(offBitmap, context, Rect(split, bounds.top, bounds.right, bounds.bottom),
                    Point(px, 0), transparent);
        drawPicture(onBitmap, context, Rect(bounds.left, bounds.top, split, bounds.bottom),
                    Point(0, 0), transparent);
    } else {
        const int split = bounds.top + px < bounds.bottom ? bounds.top + px : bounds.bottom;
        drawPicture(offBitmap, context, Rect(bounds.left, bounds.top, bounds.right, split),
                    Point(0, 0), transparent);
        drawPicture(onBitmap, context, Rect(bounds.left, split, bounds.right, bounds.bottom),
                    Point(0, px), transparent);
    }
    setDirty(false);
}
