// The rotary control: a background picture with a handle (a small picture,
// or two lines from the centre) placed on a circle at the angle of the value.
// The value runs over `rangeAngle` radians from `startAngle`; the rest of
// the circle is a dead zone whose halves belong to the two ends. Dragged in
// a circle or along a line after the host's knob mode and Alt.
#pragma once

#include "gui/control.h"

// Knob modes the host sets through the editor.
enum KnobMode : int { kCircularMode = 0, kRelativeCircularMode = 1, kLinearMode = 2 };

class Knob : public Control {
public:
    Knob(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background, Bitmap* handle,
         const Point& offset);
    ~Knob() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    int onKeyDown(KeyCode& key) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;

    // Slots added by the knob, in their fixed order.
    virtual void drawHandle(DrawContext* context);
    virtual void setStartAngle(float angle);
    virtual float getStartAngle();
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle();
    // The handle's point for the value, relative to the knob's top-left corner.
    virtual void valueToPoint(Point& point);
    // The value for a point relative to the knob's top-left corner.
    virtual float pointToValue(Point& point);
    virtual void setInset(int pixels);
    virtual void setShadowColor(Color c);
    virtual void setPointerColor(Color c);
    virtual void setHandleBitmap(Bitmap* bitmap);
    virtual void setZoomFactor(float factor);
    virtual float getZoomFactor();

    int getInset() const { return inset; }
    float getHalfDeadAngle() const { return halfDeadAngle; }
    Bitmap* getHandleBitmap() const { return handle; }

protected:
    // value = a × angle + b over the range; taken from the current bounds.
    struct Mapping {
        float a;
        float b;
    };
    Mapping mapping() const;
    void trackCircular(DrawContext* context, Point where);
    void trackLinear(DrawContext* context, Point where, int startState);

    Color pointerColor = colorWhite;
    Color shadowColor = colorGrey;
    Bitmap* handle;
    int inset = 3;
    float startAngle = 0.0f;
    float rangeAngle = 0.0f;
    float halfDeadAngle = 0.0f;
    float radius;
    float zoomFactor = 1.5f;
};
