// A picture sequence shown one image at a time from a vertical stack. The
// value is the vertical pixel offset of the shown image in the stack, so
// stepping moves it by whole images. It draws only while open; a click
// opens it (and tells the listener) or shows the first image and closes it.
#pragma once

#include "gui/control.h"

class Animation : public Control {
public:
    Animation(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
              int imageHeight, Bitmap* background, const Point& offset);
    ~Animation() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;

    // Slots added by the animation, in their fixed order.
    virtual void openAnimation();
    virtual void closeAnimation();
    virtual void nextImage();
    virtual void previousImage();

    bool isOpen() const { return open; }
    int getImageCount() const { return imageCount; }
    int getImageHeight() const { return imageHeight; }

private:
    // The offset of the last image of the stack.
    float lastImageOffset() const;

    int imageCount;
    int imageHeight;
    bool open = false;
};
