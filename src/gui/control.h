// The base of every view that holds a value the user can change: the value
// with its bounds and default, a tag, the listener told of user changes, an
// optional background picture, and the input pieces all controls share
// (wheel step, double clicks, the dirty rule).
#pragma once

#include <cstdint>

#include "gui/view.h"

class Bitmap;
class Control;

// Told by a control after its value changed through user input. The context
// is the one of the mouse or wheel event, or null for a key.
class ControlListener {
public:
    virtual void valueChanged(DrawContext* context, Control* control) = 0;

protected:
    // One operation and no data: listeners are never deleted through this side.
    ~ControlListener() = default;
};

class Control : public View {
public:
    Control(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background = nullptr);
    ~Control() override;

    // View's slots, with drawing left to each control and the dirty rule of values.
    void draw(DrawContext* context) override = 0;
    bool isDirty() override;
    void setDirty(bool value) override;

    // Slots added by the control, in their fixed order.
    virtual void processIdle();
    virtual void setValue(float newValue);
    virtual float getValue();
    virtual void setMin(float newMin);
    virtual float getMin();
    virtual void setMax(float newMax);
    virtual float getMax();
    virtual void setOldValue(float newOldValue);
    virtual float getOldValue();
    virtual void setDefaultValue(float newDefault);
    virtual float getDefaultValue();
    virtual void setTag(int newTag);
    virtual void setBackground(Bitmap* bitmap);
    virtual Bitmap* getBackground();
    virtual void setBackgroundOffset(const Point& offset);
    virtual void resetBackgroundOffset();
    virtual void setWheelStep(float step);
    virtual float getWheelStep();
    virtual void clampValue();

    int getTag() const { return tag; }
    // Called at a mouse-down: true when it completes a double click.
    bool isDoubleClick();

    ControlListener* getListener() const { return listener; }
    int getDoubleClickTime() const { return doubleClickTime; }
    Point getBackgroundOffset() const { return backgroundOffset; }

protected:
    // Tells the listener when the value differs from the one last drawn.
    void notifyIfDirty(DrawContext* context);
    // A user change: clamps the new value, then tells the listener if dirty.
    void takeInputValue(float newValue, DrawContext* context);
    // One wheel turn or arrow key moves the value by the wheel step, a tenth
    // of it with Shift. The key answer is -1 for keys that are no arrow.
    bool stepByWheel(DrawContext* context, float distance);
    int stepByArrowKey(const KeyCode& key);
    // The start of a press on a control that is dragged: answers the mouse
    // state when a drag follows, or 0 when none does: input is off, there is
    // no context, the left button is not down, or the press was Ctrl+click
    // (left button and Ctrl, nothing else), which restores the default value.
    int dragStartState(DrawContext* context);

    ControlListener* listener;
    int tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 1.0f;
    float wheelStep = 0.1f;
    std::int32_t lastClickTime = -1;
    std::int32_t doubleClickTime;
    Bitmap* background;
    Point backgroundOffset;
};
