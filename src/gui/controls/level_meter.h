// A bar meter built from an "on" picture (lit segments) and an "off"
// picture (dark segments) of the meter's size. The shown level falls by a
// decay step per redraw and jumps up at once, so peaks stay visible; the
// bar is drawn in whole segments.
#pragma once

#include "gui/control.h"

class LevelMeter : public Control {
public:
    // Style bit 1 (styleHorizontal) grows the bar from the left; without it
    // the bar grows from the bottom.
    LevelMeter(const Rect& bounds, Bitmap* onBitmap, Bitmap* offBitmap, int segmentCount,
               int style);
    ~LevelMeter() override;

    void draw(DrawContext* context) override;
    // Only the view's flag: the shown level lives in the old value, which
    // drawing lets fall toward the value step by step.
    void setDirty(bool on) override;

    // Slot added by the meter: how far the shown level falls per redraw.
    virtual void setDecayStep(float step);

    float getDecayStep() const { return decayStep; }
    int getSegmentCount() const { return segmentCount; }
    // Pixels of the on picture shown for a level: the lit length of a
    // horizontal bar, the dark length above a vertical one.
    int splitFor(float shown) const;

private:
    Bitmap* onBitmap;
    Bitmap* offBitmap;
    int segmentCount;
    int style;
    float decayStep = 0.1f;
};
