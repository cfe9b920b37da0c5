// The rotary control: a background picture with a handle (a small picture,
// or two lines from the centre) placed on a circle at the angle of the value.
// The value runs over `rangeAngle` radians from `startAngle`; the rest of
// the circle is a dead zone whose halves belong to the two ends. Dragged in
// a circle or along a line after the host's knob mode and Alt.
#pragma once

#include "gui/control.h"
#include "gui/pointer_follower.h"

// Knob modes the host sets through the editor.
enum KnobMode : int { kCircularMode = 0, kRelativeCircularMode = 1, kLinearMode = 2 };

class Knob : public Control, public PointerFollower {
public:
    Knob(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background, Bitmap* handle,
         const Point& offset);
    ~Knob() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    int onKeyDown(KeyCode& key) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;
    void pointerMoved(DrawContext* context, Point where, int state) override;
    void pointerReleased(DrawContext* context) override;

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
    // The drags in a loop of their own, until the button is released.
    void trackCircular(DrawContext* context, Point where);
    void trackLinear(DrawContext* context, Point where);
    // One step of each drag for the pointer at `where`; the first is the press.
    void circularStep(DrawContext* context, const Point& where, bool first);
    void linearStep(DrawContext* context, const Point& where, int state, bool first);
    // Value per pixel of a linear drag with the mouse state.
    float linearScale(int state) const;

    // The drag under way: circular or linear, where it was pressed and last
    // seen, the value it came from (circular), and the state, scale and
    // starting value a linear drag counts from.
    struct Drag {
        bool circular = true;
        Point press;
        Point last;
        float previous = 0.0f;
        int referenceState = 0;
        float scale = 0.0f;
        float start = 0.0f;
    };
    Drag drag;

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
