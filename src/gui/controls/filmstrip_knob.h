// A knob drawn as one image of a vertical stack per value step (a filmstrip
// of the knob turning) instead of a handle over a background. It takes the
// knob's input unchanged.
#pragma once

#include "gui/controls/knob.h"

class FilmstripKnob : public Knob {
public:
    // The stack holds `imageCount` images of `imageHeight` pixels. Drawing
    // reads the stack from its left edge; `offset` is kept as the background
    // offset, which the filmstrip does not read.
    FilmstripKnob(const Rect& bounds, ControlListener* listener, int tag, int imageCount,
                  int imageHeight, Bitmap* background, const Point& offset);
    ~FilmstripKnob() override;

    void draw(DrawContext* context) override;

    int getImageCount() const { return imageCount; }
    int getImageHeight() const { return imageHeight; }
    // The vertical offset in the stack drawn for the current value.
    int imageOffset() const;

private:
    int imageCount;
    int imageHeight;
};
