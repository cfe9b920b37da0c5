// Switches with a few positions along one axis: the background is a stack
// of images, one per position, and pressing or dragging over the control
// picks the position under the pointer. The value runs from 0.0 at the first
// position to 1.0 at the last in equal steps.
#pragma once

#include "gui/control.h"

// What the vertical and the horizontal selector share; only the axis differs.
class Selector : public Control {
public:
    ~Selector() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;

    int getImageCount() const { return imageCount; }
    int getImageHeight() const { return imageHeight; }
    int getPositionCount() const { return positionCount; }
    // The image drawn for the current value.
    int imageNumber() const;
    // The value a press at `where` (frame coordinates) selects.
    float valueAt(const Point& where);

protected:
    // Drawing reads the stack from its left edge; `offset` is kept as the
    // background offset, which selectors do not read.
    Selector(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
             int imageHeight, int positionCount, Bitmap* background, const Point& offset,
             bool horizontal);

private:
    // Pixels along the axis shared out among the positions.
    float axisLength();

    int imageCount;
    int imageHeight;
    int positionCount;
    bool horizontal;
};

// Positions from top to bottom, each imageHeight / positions pixels high.
class VerticalSelector : public Selector {
public:
    VerticalSelector(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
                     int imageHeight, int positionCount, Bitmap* background, const Point& offset);
    ~VerticalSelector() override;
};

// Positions from left to right, each (background width) / positions pixels wide.
class HorizontalSelector : public Selector {
public:
    HorizontalSelector(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
                       int imageHeight, int positionCount, Bitmap* background, const Point& offset);
    ~HorizontalSelector() override;
};
