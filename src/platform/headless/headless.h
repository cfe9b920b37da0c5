// What tests and tools can do with the headless backend beyond the platform
// interface: count its calls, set the input it reports, make windows, read
// back pixels and write pictures.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/platform_types.h"
#include "raster/surface.h"

namespace headless {

// Every platform call is counted under the operating system's name for it
// ("SetROP2", "CreatePenIndirect", ...).
void resetCallCounts();
int callCount(const char* name);
int totalCallCount();

// Pens, brushes, fonts, bitmaps and regions created and not yet freed.
int liveObjectCount();

// A top-level window of the given screen rectangle, black at first.
platform::Window createWindow(int x, int y, int width, int height);
void destroyWindow(platform::Window window);

// The pixels behind a target, a window or a bitmap; null for none.
const raster::Surface* surfaceOf(platform::DeviceContext dc);
const raster::Surface* surfaceOf(platform::Window window);
const raster::Surface* surfaceOf(platform::GraphicsObject bitmap);

// The font description selected into a target; null for none.
const platform::FontDescription* selectedFontOf(platform::DeviceContext dc);

// Writes a surface as an 8-bit RGB picture; false when that fails.
bool savePng(const raster::Surface& surface, const char* path);

// The simulated input devices and clock.
struct InputState {
    bool keyDown[256] = {};
    platform::DevicePoint pointer{0, 0};
    std::uint32_t ticks = 1000;
    std::uint32_t tickStep = 1; // added after every clock read, so waiting loops end
    std::uint32_t doubleClickTime = 500;
    std::int32_t messageTime = 1000;
    int pendingLeftButtonDowns = 0;
    int swapButtons = 0;
    int dialogFrameHeight = 3;
    std::function<void()> onPointerRead; // runs before every pointer read
};
InputState& input();
void resetInput();

// Whether the blending library can be loaded, and the platform family reported.
void setBlendLibrary(bool available, int family);

} // namespace headless
