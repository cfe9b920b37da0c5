// A counter of up to seven decimal digits, each drawn as one image of a
// stack of the ten digits 0 to 9 (each `digitHeight` pixels high) at its
// own place in the frame. Leading zeros are shown. It takes no input.
#pragma once

#include "gui/control.h"

class DigitDisplay : public Control {
public:
    static constexpr int kMaxDigits = 7;

    // Digit i (most significant first) goes to (x[i], y[i]) in frame
    // coordinates. The count is held to 1 to 7; without positions the
    // digits sit side by side from the display's top-left corner.
    DigitDisplay(const Rect& bounds, ControlListener* listener, int tag, int initialValue,
                 int digitCount, const int* xPositions, const int* yPositions, int digitWidth,
                 int digitHeight, Bitmap* background);
    ~DigitDisplay() override;

    void draw(DrawContext* context) override;

    // Slot added by the display: the value over the maximum, held to [0, 1].
    virtual float getNormalizedValue();

    int getDigitCount() const { return digitCount; }
    // The number drawn: the value held to [minimum, maximum] and to what the
    // digits can show, toward zero.
    int shownNumber() const;
    // The digit drawn at place i, most significant first.
    int digitAt(int place) const;

private:
    int digitCount;
    int x[kMaxDigits] = {};
    int y[kMaxDigits] = {};
    int digitWidth;
    int digitHeight;
};
