// What a host sees of the editor's panel in its window, read back from the
// server: where a slider's handle is, and whether the whole window shows the
// panel and, beyond it, the panel's white field. Shared by the VST library's
// and the LV2 panel's tests.
#pragma once

#include <vector>

#include "editor/panel_layout.h"
#include "platform/software/raster/surface.h"

namespace panel_watch {

using panel_layout::kHandleSize;
using panel_layout::kPanelHeight;
using panel_layout::kPanelWidth;
constexpr int kLowerTop = panel_layout::kIpvolumeTop; // the lower slider's top row
constexpr int kUpperTop = panel_layout::kNcvolumeTop;
// The handle's middle column with the slider at 1.
constexpr int kMiddleAtOne = panel_layout::kSliderLeft + panel_layout::kTravel + kHandleSize / 2;

// The handle's middle column at the slider's top row: the columns of the
// slider's height are compared with `signature`, the handle's middle column
// as seen once. -1 when it is nowhere.
inline std::vector<raster::Pixel> columnAt(const raster::Surface& shot, int x, int top) {
    std::vector<raster::Pixel> column;
    for (int y = top; y < top + kHandleSize && y < shot.height(); ++y)
        column.push_back(x < shot.width() ? shot.get(x, y) : 0);
    return column;
}

inline int handleMiddle(const raster::Surface& shot, const std::vector<raster::Pixel>& signature,
                        int top) {
    for (int x = 0; x < kPanelWidth && x < shot.width(); ++x)
        if (columnAt(shot, x, top) == signature)
            return x;
    return -1;
}

// The handle's left edge, from its middle column seen once with the slider
// at 1; -1 when it is nowhere.
class HandleWatch {
public:
    void learn(const raster::Surface& shotAtOne, int top) {
        signature = columnAt(shotAtOne, kMiddleAtOne, top);
    }
    int handleLeft(const raster::Surface& shot, int top) const {
        const int middle = handleMiddle(shot, signature, top);
        return middle < 0 ? -1 : middle - kHandleSize / 2;
    }

private:
    std::vector<raster::Pixel> signature;
};

// Pixels of the window beyond the panel that are not white.
inline int nonWhiteBeyondThePanel(const raster::Surface& shot) {
    int wrong = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((x >= kPanelWidth || y >= kPanelHeight) && shot.get(x, y) != raster::kWhite)
                ++wrong;
    return wrong;
}

// The panel's part of the window.
inline raster::Surface panelOf(const raster::Surface& shot) {
    raster::Surface panel(kPanelWidth, kPanelHeight, false);
    if (shot.width() < kPanelWidth || shot.height() < kPanelHeight)
        return raster::Surface();
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            panel.set(x, y, shot.get(x, y));
    return panel;
}

} // namespace panel_watch
