// A click area that opens a picture (an about box, say) over the frame: a
// click on the area shows the picture in the splash rectangle as the
// frame's modal view; a click on the picture closes it again.
#pragma once

#include "gui/control.h"

class SplashArea : public Control {
public:
    // `background` is the picture, drawn into `splashRect` (frame
    // coordinates) from `offset`.
    SplashArea(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background,
               const Rect& splashRect, const Point& offset);
    ~SplashArea() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    bool hitTest(const Point& where, int buttons = -1) override;

    // Slot added by the splash area: closes the picture if it is open.
    virtual void closeSplash();

    Rect getSplashRect() const { return splashRect; }

private:
    void tellListener(DrawContext* context);

    Rect splashRect;
    Rect keepBounds;
    bool modal = false;
};
