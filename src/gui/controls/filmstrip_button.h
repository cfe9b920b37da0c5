// A two-image push button that stays where it was put: each click flips it
// between 0.0 (the upper image) and 1.0 (the lower one), and a press can be
// taken back by moving off the button before letting go.
#pragma once

#include "gui/control.h"

class FilmstripButton : public Control {
public:
    // Drawing reads the stack from its top-left corner; `offset` is kept as
    // the background offset, which the button does not read.
    FilmstripButton(const Rect& bounds, ControlListener* listener, int tag, int imageHeight,
                    Bitmap* background, const Point& offset);
    ~FilmstripButton() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;

    int getImageHeight() const { return imageHeight; }

private:
    int imageHeight;
};
