// What the UI takes from the host at instantiation: the write function for
// the control ports, the parent window (required), and the resize and touch
// features, the URID map and the options where the host offers them.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <cstdint>

#include "ui_options.h"

namespace tarvel_lv2 {

struct UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    std::uintptr_t parent = 0;            // the host's X11 window id
    const LV2UI_Resize* resize = nullptr; // null: the host sizes the panel itself
    const LV2UI_Touch* touch = nullptr;   // null: edits come without grab brackets
    // The keys of the scale factor option (all 0 without the host's map).
    ScaleFactorKeys scaleKeys;
    // The host's scale factor as given at instantiation; 0 when none was.
    double scaleFactor = 0.0;
};

// Reads the host's feature list (which may be null) into `host`, whose write
// function is already set. Returns null when the panel can be shown with
// these features, otherwise the reason it cannot.
const char* readUiFeatures(const LV2_Feature* const* features, UiHost& host);

} // namespace tarvel_lv2
