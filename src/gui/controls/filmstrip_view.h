// A display of the value as one image of a vertical stack (a meter, a lamp
// with several brightness steps): the nearest of `imageCount` equal steps
// from 0.0 to 1.0. It takes no input.
#pragma once

#include "gui/control.h"

class FilmstripView : public Control {
public:
    FilmstripView(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
                  int imageHeight, Bitmap* background, const Point& offset);
    ~FilmstripView() override;

    void draw(DrawContext* context) override;

    int getImageCount() const { return imageCount; }
    int getImageHeight() const { return imageHeight; }
    // The image drawn for the current value.
    int imageNumber() const;

private:
    int imageCount;
    int imageHeight;
};
