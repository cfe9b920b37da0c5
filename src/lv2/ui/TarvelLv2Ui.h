// One LV2 UI instance: the editor panel, embedded in the host's window, for
// one instance of the plug-in.
//
// The panel reaches the plug-in through its control ports alone, never
// through the plug-in instance (instance access): port writes work in every
// host, also in one that runs UIs in a process of their own or offers no
// instance access, and they are what hosts record as automation. The editor
// needs an effect to read and set the two parameters; here that is an effect
// of the UI's own that never processes sound, whose parameter values are the
// UI's model of the two control ports. The host's port events set them (the
// editor then moves its sliders at the next idle); the editor's automation
// and its begin and end edit calls reach the effect's host callback and
// become port writes and touch grab and release.
#pragma once

#include <cstdint>
#include <memory>

#include "effect/TarvelEffect.h"
#include "ui_host.h"

class TarvelEditor;

namespace tarvel_lv2 {

class TarvelLv2Ui {
public:
    explicit TarvelLv2Ui(const UiHost& host);
    ~TarvelLv2Ui();
    TarvelLv2Ui(const TarvelLv2Ui&) = delete;
    TarvelLv2Ui& operator=(const TarvelLv2Ui&) = delete;

    // Opens the panel in the host's parent window and announces its size
    // where the host can be told. False when it cannot be shown.
    bool open();
    // The panel's X11 window id, the UI's widget.
    std::uintptr_t windowId() const;
    // A value the host reports for one of the plug-in's ports.
    void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                   const void* buffer);
    // Handles the panel's window events and redraws what changed.
    void idle();

    TarvelEditor* editor() const { return editor_; }

private:
    static VstWord VSTCALL hostCallback(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                        void* ptr, float opt);
    void writeParameter(int32 index, float value);
    void touchParameter(int32 index, bool grabbed);

    UiHost host_;
    std::unique_ptr<TarvelEffect> model_;
    TarvelEditor* editor_ = nullptr; // owned by model_
};

} // namespace tarvel_lv2
