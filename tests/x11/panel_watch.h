// What a host sees of the editor's panel in its window, read back from the
// server: where a slider's handle is, and whether the whole window shows the
// panel and, beyond it, the panel's white field. Shared by the VST library's
// and the LV2 panel's tests.
#pragma once

#include <vector>

#include "platform/software/raster/surface.h"

namespace panel_watch {

constexpr int kPanelWidth = 268;
constexpr int kPanelHeight = 107;
constexpr int kHandleSize = 14;
constexpr int kLowerTop = 80; // the lower slider's top row
constexpr int kUpperTop = 49;

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
