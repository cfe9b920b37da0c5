#include "gui/controls/selectors.h"

#include <cmath>

#include "gui/bitmap.h"
#include "gui/controls/stacked_images.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

Selector::Selector(const Rect& r, ControlListener* listener_, int tag_, int count, int height,
                   int positions, Bitmap* background_, const Point& offset, bool horizontal_)
    : Control(r, listener_, tag_, background_), imageCount(count), imageHeight(height),
      positionCount(positions), horizontal(horizontal_) {
    backgroundOffset = offset;
    // The first position is the one the default-value gesture returns to.
    defaultValue = 0.0f;
}

Selector::~Selector() = default;

int Selector::imageNumber() const {
    const float steps = static_cast<float>(positionCount - 1);
    return limitedImage(wholePixels(steps * value + 0.5f), imageCount);
}

void Selector::draw(DrawContext* context) {
    drawPicture(background, context, bounds, Point(0, stackOffset(imageNumber(), imageHeight)),
                transparent);
    setDirty(false);
}

// The image height (vertical) or the background's width (horizontal); a
// selector without either uses its own size so that no position has zero size.
float Selector::axisLength() {
    int length = horizontal ? (background ? background->getWidth() : 0) : imageHeight;
    if (length <= 0)
        length = horizontal ? bounds.getWidth() : bounds.getHeight();
    return static_cast<float>(length);
}

// The zone under the pointer, numbered from the top or left edge, over the
// number of steps; limited to [0, 1]. Zones are measured in floating point
// so that all positions are equally wide. With a single position (or none)
// there is nothing to choose: the value is 0.
float Selector::valueAt(const Point& where) {
    const float length = axisLength();
    if (positionCount < 2 || !(length > 0.0f))
        return 0.0f;
    const int along = horizontal ? where.h - bounds.left : where.v - bounds.top;
    const float zone = length / static_cast<float>(positionCount);
    const float position = std::trunc(static_cast<float>(along) / zone);
    float v = position / static_cast<float>(positionCount - 1);
    if (!(v >= 0.0f))
        v = 0.0f;
    if (v > 1.0f)
        v = 1.0f;
    return v;
}

// Follows the pointer while the buttons and modifiers stay as they were at
// the press; the focus stays where it was.
void Selector::onMouseDown(DrawContext* context, Point& where) {
    const int state = dragStartState(context);
    if (state == 0)
        return;
    if (frame)
        frame->beginEdit(tag);
    Point pointer = where;
    for (bool first = true;; first = false) {
        if (!first && context->getMouseButtons() != state)
            break;
        value = valueAt(pointer);
        notifyIfDirty(context);
        context->getMouseLocation(pointer);
        processIdle();
    }
    if (frame)
        frame->endEdit(tag);
}

VerticalSelector::VerticalSelector(const Rect& r, ControlListener* listener_, int tag_, int count,
                                   int height, int positions, Bitmap* background_,
                                   const Point& offset)
    : Selector(r, listener_, tag_, count, height, positions, background_, offset, false) {}

VerticalSelector::~VerticalSelector() = default;

HorizontalSelector::HorizontalSelector(const Rect& r, ControlListener* listener_, int tag_,
                                       int count, int height, int positions, Bitmap* background_,
                                       const Point& offset)
    : Selector(r, listener_, tag_, count, height, positions, background_, offset, true) {}

HorizontalSelector::~HorizontalSelector() = default;
