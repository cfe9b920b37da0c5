// A minimal control and a listener that record what the control base does;
// an effect and an editor that record what a control asks of them.
#pragma once

#include <string>
#include <vector>

#include "editor/gui_editor.h"
#include "gui/control.h"
#include "gui/draw_context.h"
#include "host/audio_effect_x.h"

using Log = std::vector<std::string>;

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

// Logs the edit brackets into a log it may share with a listener, and counts
// the host idle calls.
class EditLogEffect : public AudioEffectX {
public:
    explicit EditLogEffect(Log& sharedLog) : AudioEffectX(nullptr, 1, 2), log(sharedLog) {}
    void process(float**, float**, int32) override {}
    bool beginEdit(int32 index) override {
        log.push_back("begin " + std::to_string(index));
        return true;
    }
    bool endEdit(int32 index) override {
        log.push_back("end " + std::to_string(index));
        return true;
    }
    void masterIdle() override { ++idles; }
    Log& log;
    int idles = 0;
};
