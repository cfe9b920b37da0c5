// Input state read from the server when asked (while a press is handled,
// as that press's event tells it), the clock, and the presses a control
// waiting for a double click takes.
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <time.h>

#include <cstdlib>
#include <string>

#include "connection.h"
#include "handled_press.h"
#include "native_window.h"
#include "platform/system.h"
#include "x11.h"

namespace x11 {

namespace {
// The toolkit's clock, in milliseconds; the time of the last press handled
// is read on it too, so the two can be compared.
std::int32_t lastPressTime = 0;
// The server's time of that press: a press waiting among the events is its
// double click only if the server's times are close enough, however late
// the two are handled.
std::uint32_t lastPressServerTime = 0;

// How long a second press may follow the first to make a double click
// where the server's resources do not say: the usual setting of X11 toolkits.
constexpr std::uint32_t kDoubleClickMilliseconds = 400;
// Settings beyond this are taken for mistakes.
constexpr long kLongestDoubleClick = 60 * 1000;

// The double-click time the resources loaded on the server (as xrdb loads
// them) give, "*multiClickTime" or a bare "multiClickTime"; the default
// where neither gives a sensible number.
std::uint32_t multiClickTime(Display* d) {
    const char* loaded = XResourceManagerString(d);
    if (!loaded)
        return kDoubleClickMilliseconds;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(loaded);
    if (!database)
        return kDoubleClickMilliseconds;
    char* type = nullptr;
    XrmValue value{};
    long milliseconds = 0;
    if (XrmGetResource(database, "tarvel.multiClickTime", "Tarvel.MultiClickTime", &type, &value) ||
        XrmGetResource(database, "multiClickTime", "MultiClickTime", &type, &value)) {
        const std::string text(value.addr, value.size);
        milliseconds = std::strtol(text.c_str(), nullptr, 10);
    }
    XrmDestroyDatabase(database);
    return milliseconds > 0 && milliseconds <= kLongestDoubleClick
               ? static_cast<std::uint32_t>(milliseconds)
               : kDoubleClickMilliseconds;
}

// Read once per connection of ours; before the first one (controls are made
// before their window) from a connection opened for the purpose.
std::uint32_t doubleClickMilliseconds() {
    static bool read = false;
    static unsigned readOnConnection = 0;
    static std::uint32_t milliseconds = kDoubleClickMilliseconds;
    if (Display* d = openDisplay()) {
        if (!read || readOnConnection != connectionsOpened()) {
            milliseconds = multiClickTime(d);
            readOnConnection = connectionsOpened();
            read = true;
        }
    } else if (!read) {
        Display* asked = connectToServer();
        milliseconds = asked ? multiClickTime(asked) : kDoubleClickMilliseconds;
        if (asked)
            disconnect(asked);
        read = true;
    }
    return milliseconds;
}

bool isOurs(const XEvent& event) {
    return nativeById(event.xbutton.window) != nullptr;
}

// A left press on one of our windows within `arg` (the double-click time)
// of the last press handled.
Bool isSecondLeftPress(Display*, XEvent* event, XPointer arg) {
    const std::uint32_t within = *reinterpret_cast<const std::uint32_t*>(arg);
    return event->type == ButtonPress && event->xbutton.button == Button1 && isOurs(*event) &&
           static_cast<std::uint32_t>(event->xbutton.time) - lastPressServerTime <= within;
}

} // namespace

void notePress(const XButtonEvent& press) {
    lastPressTime = static_cast<std::int32_t>(platform::tickCount());
    lastPressServerTime = static_cast<std::uint32_t>(press.time);
}

bool takeQueuedLeftPress() {
    Display* d = openDisplay();
    if (!d)
        return false;
    std::uint32_t within = doubleClickMilliseconds();
    XEvent event;
    if (!XCheckIfEvent(d, &event, isSecondLeftPress, reinterpret_cast<XPointer>(&within)))
        return false;
    notePress(event.xbutton);
    return true;
}

} // namespace x11

namespace platform {

std::int16_t asyncKeyState(int key) {
    unsigned wanted = 0;
    switch (key) {
    case kKeyLeftButton:
        wanted = Button1Mask;
        break;
    case kKeyMiddleButton:
        wanted = Button2Mask;
        break;
    case kKeyRightButton:
        wanted = Button3Mask;
        break;
    case kKeyShift:
        wanted = ShiftMask;
        break;
    case kKeyControl:
        wanted = ControlMask;
        break;
    case kKeyAlt:
        wanted = Mod1Mask;
        break;
    default:
        return 0;
    }
    unsigned state = 0;
    if (!x11::heldState(wanted, state))
        return 0;
    return (state & wanted) ? static_cast<std::int16_t>(0x8000) : 0;
}

bool cursorPosition(DevicePoint& screen) {
    // A press's handler asking for the pointer has gone on to follow it.
    x11::pressFollowsPointer();
    int x = 0;
    int y = 0;
    unsigned mask = 0;
    Display* d = x11::openDisplay();
    if (!d || !x11::queryPointer(d, x, y, mask))
        return false;
    screen = DevicePoint{x, y};
    return true;
}

bool windowRect(Window w, DeviceRect& screen) {
    Display* d = x11::openDisplay();
    if (!d || !w)
        return false;
    x11::ErrorTrap trap(d);
    XWindowAttributes attributes;
    int x = 0;
    int y = 0;
    const ::Window id = x11::idOf(w);
    if (!XGetWindowAttributes(d, id, &attributes) || !trap.ok() || !x11::rootPosition(d, id, x, y))
        return false;
    screen = DeviceRect{x, y, x + attributes.width, y + attributes.height};
    return true;
}

int systemMetric(SystemMetric metric) {
    switch (metric) {
    case kMetricSwapButton:
        return 0; // the server maps swapped buttons before we see them
    case kMetricDialogFrameHeight:
        return 3;
    }
    return 0;
}

std::uint32_t doubleClickTime() {
    return x11::doubleClickMilliseconds();
}

std::int32_t lastMessageTime() {
    return x11::lastPressTime;
}

bool takeLeftButtonDown() {
    return x11::takeQueuedLeftPress();
}

std::uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

void sleep(std::uint32_t milliseconds) {
    if (Display* d = x11::openDisplay())
        XFlush(d);
    const timespec pause{static_cast<time_t>(milliseconds / 1000),
                         static_cast<long>(milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
}

} // namespace platform
