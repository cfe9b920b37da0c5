// An on/off button: a background picture holding the "off" image above the
// "on" image, each half its height; a left click switches between them.
#pragma once

#include "gui/control.h"

class ToggleButton : public Control {
public:
    ToggleButton(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background);
    ~ToggleButton() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
};
