// A push button that is 1.0 only while held: the upper image of its stack
// at rest (0.0), the lower one while pressed. Released, it always returns
// to 0.0 and says so.
#pragma once

#include "gui/control.h"

class MomentaryButton : public Control {
public:
    MomentaryButton(const Rect& bounds, ControlListener* listener, int tag, int imageHeight,
                    Bitmap* background, const Point& offset);
    ~MomentaryButton() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;

    int getImageHeight() const { return imageHeight; }

private:
    int imageHeight;
};
