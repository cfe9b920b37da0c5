// A spring-loaded switch with three states: -1.0 and +1.0 while held on
// one half or the other, 0.0 at rest. The background stacks the three
// images (-1, 0, +1) from the offset down.
#pragma once

#include "gui/control.h"

class ThreeWaySwitch : public Control {
public:
    // Style bit 1 (styleHorizontal) splits the switch into left and right
    // halves; without it into top and bottom.
    ThreeWaySwitch(const Rect& bounds, ControlListener* listener, int tag, int imageHeight,
                   Bitmap* background, const Point& offset, int style);
    ~ThreeWaySwitch() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;

    int getImageHeight() const { return imageHeight; }
    int getStyle() const { return style; }
    // The image drawn for the current value: 0 below 0.0, 2 above, 1 otherwise.
    int imageNumber() const;

private:
    // -1.0 on the first half, +1.0 on the second; `outside` off the switch.
    float valueAt(const Point& where, float outside) const;
    void tellListener(DrawContext* context);

    int imageHeight;
    int style;
};
