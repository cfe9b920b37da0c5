// Simulated input and the clock.
#include "platform/system.h"
#include "call_log.h"
#include "headless.h"
#include "window_system.h"

namespace headless {

InputState& input() {
    static InputState state;
    return state;
}

void resetInput() {
    input() = InputState{};
}

} // namespace headless

namespace platform {

using namespace headless;

std::int16_t asyncKeyState(int key) {
    countCall("GetAsyncKeyState");
    if (key < 0 || key > 255)
        return 0;
    return input().keyDown[key] ? static_cast<std::int16_t>(0x8000) : 0;
}

bool cursorPosition(DevicePoint& screen) {
    countCall("GetCursorPos");
    if (input().onPointerRead)
        input().onPointerRead();
    screen = input().pointer;
    return true;
}

bool windowRect(Window w, DeviceRect& screen) {
    countCall("GetWindowRect");
    if (!liveWindow(window(w)))
        return false;
    const raster::Box& b = window(w)->screen;
    screen = DeviceRect{b.left, b.top, b.right, b.bottom};
    return true;
}

int systemMetric(SystemMetric metric) {
    countCall("GetSystemMetrics");
    switch (metric) {
    case kMetricSwapButton:
        return input().swapButtons;
    case kMetricDialogFrameHeight:
        return input().dialogFrameHeight;
    }
    return 0;
}

double displayScale(Window w) {
    countCall("GetDpiForWindow");
    return !w || liveWindow(window(w)) ? input().displayScale : 1.0;
}

std::uint32_t doubleClickTime() {
    countCall("GetDoubleClickTime");
    return input().doubleClickTime;
}

std::int32_t lastMessageTime() {
    countCall("GetMessageTime");
    return input().messageTime;
}

bool takeLeftButtonDown() {
    countCall("PeekMessageA");
    if (input().pendingLeftButtonDowns > 0) {
        --input().pendingLeftButtonDowns;
        return true;
    }
    return takePostedLeftPress();
}

std::uint32_t tickCount() {
    countCall("GetTickCount");
    const std::uint32_t now = input().ticks;
    input().ticks += input().tickStep;
    return now;
}

void sleep(std::uint32_t milliseconds) {
    countCall("Sleep");
    input().ticks += milliseconds;
}

} // namespace platform
