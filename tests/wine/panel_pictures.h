// The editor panel's two pictures as TARVEL.dll carries them, and where a
// screenshot of the open editor shows each slider's handle.
#pragma once

#include <string>

#include "editor/panel_layout.h"
#include "harness/rgb_image.h"

struct PanelPictures {
    RgbImage background; // resource 128
    RgbImage handle;     // resource 129; white is left out when drawn
    bool loaded() const { return !background.empty() && !handle.empty(); }
};

// The panel's geometry, in editor coordinates, as the editor publishes it.
using panel_layout::kSliderHeight;
using panel_layout::kSliderLeft;
using panel_layout::kSliderRight;
constexpr int kUpperSliderTop = panel_layout::kNcvolumeTop;
constexpr int kLowerSliderTop = panel_layout::kIpvolumeTop;
constexpr int kHandleTravel = panel_layout::kTravel;

// Reads the pictures from the library's resources.
PanelPictures loadPanelPictures(const std::string& libraryPath);

// The handle's left edge in the slider whose top is `top`: the one position
// where the background with the handle drawn over it matches the screenshot
// exactly; -1 when none does.
int handleLeftEdge(const RgbImage& shot, const PanelPictures& pictures, int top);

// Where the handle of a slider showing `value` belongs.
int handleLeftEdgeFor(float value);

// Pixels outside both sliders that differ from the background picture.
int differencesOutsideSliders(const RgbImage& shot, const PanelPictures& pictures);
