// The linear control: a handle picture moving along one axis over a
// background picture, its position standing for the value.
#pragma once

#include "gui/control.h"
#include "gui/pointer_follower.h"

class OffscreenContext;

// Style bits of a slider. A style carries exactly one of the four direction bits.
enum SliderStyle : int {
    styleHorizontal = 1, // the axis is x; without it the axis is y
    styleVertical = 2,   // set by VerticalSlider; only styleHorizontal decides the axis
    styleMinLeft = 8,
    styleMinRight = 16,
    styleMinTop = 32,
    styleMinBottom = 64,
};

class Slider : public Control, public PointerFollower {
public:
    // Position form: the handle's leading edge runs from `minPosition` to
    // `maxPosition`, frame coordinates along the axis.
    Slider(const Rect& bounds, ControlListener* listener, int tag, int minPosition, int maxPosition,
           Bitmap* handle, Bitmap* background, const Point& backgroundOrigin, int style);
    // Origin form: the handle sits at `handleOrigin` inside the slider and the
    // whole handle has `range` pixels along the axis.
    Slider(const Rect& bounds, ControlListener* listener, int tag, const Point& handleOrigin,
           int range, Bitmap* handle, Bitmap* background, const Point& backgroundOrigin, int style);
    ~Slider() override;

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    int onKeyDown(KeyCode& key) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;
    bool onRemoved(View* parent) override;
    bool onAttached(View* parent) override;
    void pointerMoved(DrawContext* context, Point where, int state) override;
    void pointerReleased(DrawContext* context) override;

    // Slots added by the slider, in their fixed order.
    virtual void setTransparentHandle(bool on);
    virtual void setJumpOnClick(bool on);
    virtual bool getJumpOnClick();
    virtual void setHandleOrigin(Point origin);
    virtual void setHandle(Bitmap* bitmap);
    virtual Bitmap* getHandle();
    virtual void setFineFactor(float factor);
    virtual float getFineFactor();

    int getStyle() const { return style; }
    int getTravel() const { return travel; }
    int getHandleMinLimit() const { return handleMinLimit; }
    int getHandleMaxLimit() const { return handleMaxLimit; }
    // The handle's rectangle as drawn, in the slider's own coordinates.
    Rect handleRectInSlider();

private:
    // The parts both forms share; each form then sets the travel and the origin.
    Slider(const Rect& bounds, ControlListener* listener, int tag, Bitmap* handle,
           Bitmap* background, const Point& backgroundOrigin, int style);

    bool isHorizontal() const { return (style & styleHorizontal) != 0; }
    // Value 0 at the left or top end; otherwise at the far end.
    bool minimumAtLeadingEnd() const { return (style & (styleMinLeft | styleMinTop)) != 0; }
    // Pixels from the start of the travel to the handle's leading edge for the value.
    int travelOffset();
    int along(const Point& p) const { return isHorizontal() ? p.h : p.v; }
    int handleLength() const { return isHorizontal() ? handleWidth : handleHeight; }
    // Follows the pointer in a loop of its own until the button is released.
    void trackDrag(DrawContext* context, Point where);
    // One step of a drag: the value for the pointer at `where` with the
    // mouse `state`, told to the listener when it changed.
    void dragTo(DrawContext* context, const Point& where, int state);

    Point backgroundOrigin;
    Point handleOrigin;
    Bitmap* handle;
    OffscreenContext* offscreen = nullptr;
    int handleWidth = 1;
    int handleHeight = 1;
    int travel = 0;
    int style;
    int handleMinLimit = 0;
    int handleMaxLimit = 0;
    int minPos = 0;
    int controlWidth;
    int controlHeight;
    float fineFactor = 10.0f;
    // The drag under way: the frame coordinate along the axis that maps to
    // value 0, and the mouse state and value fine tuning counts from.
    int dragDelta = 0;
    int referenceState = 0;
    float referenceValue = 0.0f;
    bool transparentHandle = true;
    bool jumpOnClick = true;
};

class HorizontalSlider : public Slider {
public:
    HorizontalSlider(const Rect& bounds, ControlListener* listener, int tag, int minPosition,
                     int maxPosition, Bitmap* handle, Bitmap* background,
                     const Point& backgroundOrigin, int style);
    HorizontalSlider(const Rect& bounds, ControlListener* listener, int tag,
                     const Point& handleOrigin, int range, Bitmap* handle, Bitmap* background,
                     const Point& backgroundOrigin, int style);
    ~HorizontalSlider() override;
};

class VerticalSlider : public Slider {
public:
    VerticalSlider(const Rect& bounds, ControlListener* listener, int tag, int minPosition,
                   int maxPosition, Bitmap* handle, Bitmap* background,
                   const Point& backgroundOrigin, int style);
    VerticalSlider(const Rect& bounds, ControlListener* listener, int tag,
                   const Point& handleOrigin, int range, Bitmap* handle, Bitmap* background,
                   const Point& backgroundOrigin, int style);
    ~VerticalSlider() override;
};
