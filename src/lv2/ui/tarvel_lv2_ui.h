// One LV2 UI instance: the editor panel, embedded in the host's window, for
// one instance of the plug-in.
//
// The panel reaches the plug-in through its control ports alone, never
// through the plug-in instance (instance access): port writes work in every
// host, also in one that runs UIs in a process of their own or offers no
// instance access, and they are what hosts record as automation. The UI
// keeps the two control ports' values, which the panel shows: the host's
// port events set them (the panel then moves its sliders at the next
// idle); the panel's edits become port writes, their begin and end touch
// grab and release.
#pragma once

#include <cstdint>

#include "editor/panel_host.h"
#include "editor/parameter_control.h"
#include "ui_host.h"

class TarvelPanel;

namespace tarvel_lv2 {

class TarvelLv2Ui final : private ParameterControl, private PanelHost {
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
    // Options the host sets after instantiation (the options interface): the
    // scale factor, which the panel follows, asking the host for its new
    // size. The LV2 status bits: unknown keys are refused, a bad factor too.
    std::uint32_t setOptions(const LV2_Options_Option* options);
    // Answers the scale factor option with the one the panel follows.
    std::uint32_t getOptions(LV2_Options_Option* options);

    TarvelPanel* editor() const { return editor_; }

private:
    // The panel's parameters: the ports' values, edits as port writes.
    float value(int32 index) override;
    void beginEdit(int32 index) override;
    void adjust(int32 index, float value) override;
    bool endEdit(int32 index) override;
    bool touchParameter(int32 index, bool grabbed);
    // A drag's idle work is the panel's own, throttled; a size goes to the
    // host where it can be told.
    void idleDuringDrag() override;
    bool requestSize(int width, int height) override;

    UiHost host_;
    // The factor getOptions answers with: the host's, as last taken.
    float scaleFactor = 1.0f;
    // The ports' values, as the host last reported or the editor set them.
    float values[2] = {1.0f, 1.0f};
    TarvelPanel* editor_ = nullptr;
};

} // namespace tarvel_lv2
