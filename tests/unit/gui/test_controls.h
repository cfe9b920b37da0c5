// A minimal control and a listener that record what the control base does.
#pragma once

#include <vector>

#include "editor/GuiEditor.h"
#include "gui/control.h"
#include "gui/draw_context.h"

// Draws nothing but counts its draws; a user change goes through the base's
// change-notification rule.
class CountingControl : public Control {
public:
    explicit CountingControl(ControlListener* toldOfChanges = nullptr, int controlTag = 0,
                             Bitmap* picture = nullptr)
        : Control(Rect(10, 20, 60, 34), toldOfChanges, controlTag, picture) {}
    void draw(DrawContext*) override {
        ++draws;
        setDirty(false);
    }
    void userChange(float newValue, DrawContext* context) {
        value = newValue;
        clampValue();
        notifyIfDirty(context);
    }
    int draws = 0;
};

// Records every value it is told of; like the editor panel, it can ask the
// control to redraw, which makes the control clean until its value moves on.
class RecordingListener : public ControlListener {
public:
    explicit RecordingListener(bool redrawAfterChange = true) : redraws(redrawAfterChange) {}
    virtual ~RecordingListener() = default;
    void valueChanged(DrawContext* context, Control* control) override {
        values.push_back(control->getValue());
        contexts.push_back(context);
        if (redraws)
            control->redrawIfDirty(context);
    }
    bool redraws;
    std::vector<float> values;
    std::vector<DrawContext*> contexts;
};

// An editor without an effect that counts the idle processing the frame forwards.
class CountingEditor : public GuiEditor {
public:
    CountingEditor() : GuiEditor(nullptr) {}
    void processIdle() override { ++idles; }
    int idles = 0;
};
