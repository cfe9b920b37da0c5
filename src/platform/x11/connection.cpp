#include "connection.h"

#include <time.h>

#include <cstdlib>

#include "native_window.h"
#include "platform/x11/x11.h"
#include "screen_image.h"

// Xlib's interface for a connection's own handling of its errors, last: it
// defines min and max as macros.
#include <X11/Xlibint.h>
#undef min
#undef max

namespace x11 {

namespace {
Display* connection = nullptr;
unsigned opened = 0;

// The last failed request of each connection of ours: the backend's own and
// the host side's that tools and tests use.
struct LastError {
    Display* display = nullptr;
    unsigned long serial = 0;
    bool any = false;
};
constexpr int kConnections = 4;
LastError lastErrors[kConnections];

LastError* lastErrorOf(Display* display) {
    for (LastError& e : lastErrors)
        if (e.display == display)
            return &e;
    return nullptr;
}

// Xlib asks the connection what to make of each error that arrives on it,
// before any handler of the process hears it: noted, and not passed on.
Bool keepError(Display* display, XErrorEvent* error, xError*) {
    if (LastError* e = lastErrorOf(display)) {
        e->serial = error->serial;
        e->any = true;
    }
    return False;
}

void keepErrors(Display* display) {
    for (LastError& e : lastErrors)
        if (!e.display) {
            e = LastError{display, 0, false};
            break;
        }
    // Every error code, the core protocol's and any extension's.
    for (int code = 1; code < 256; ++code)
        XESetWireToError(display, code, keepError);
}
} // namespace

Display* connectToServer() {
    // A server that has just lost its last client resets itself and turns
    // connections away meanwhile: a few tries over a quarter of a second.
    constexpr int kTries = 25;
    const timespec pause{0, 10 * 1000 * 1000};
    if (!std::getenv("DISPLAY"))
        return nullptr;
    for (int i = 0; i < kTries; ++i) {
        if (Display* d = XOpenDisplay(nullptr)) {
            keepErrors(d);
            return d;
        }
        nanosleep(&pause, nullptr);
    }
    return nullptr;
}

void disconnect(Display* display) {
    // Closing waits for the last answers, whose errors are still ours.
    XCloseDisplay(display);
    if (LastError* e = lastErrorOf(display))
        *e = LastError{};
}

Display* display() {
    if (!connection) {
        connection = connectToServer();
        opened += connection ? 1 : 0;
    }
    return connection;
}

Display* openDisplay() {
    return connection;
}

int connectionFd() {
    return connection ? ConnectionNumber(connection) : -1;
}

unsigned connectionsOpened() {
    return opened;
}

void closeDisplayIfUnused() {
    if (!connection || !nativeWindows().empty())
        return;
    releaseCursors(connection);
    releaseGraphicsContext(connection);
    disconnect(connection);
    connection = nullptr;
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), firstRequest(NextRequest(display)) {}

ErrorTrap::~ErrorTrap() {
    XFlush(display_);
}

bool ErrorTrap::ok() {
    XSync(display_, False);
    const LastError* e = lastErrorOf(display_);
    return !(e && e->any && e->serial >= firstRequest);
}

bool waitForWindow(Display* display, ::Window window) {
    constexpr int kTries = 200;
    const timespec pause{0, 10 * 1000 * 1000};
    for (int i = 0; i < kTries; ++i) {
        ErrorTrap trap(display);
        XWindowAttributes attributes;
        const bool known = XGetWindowAttributes(display, window, &attributes) != 0;
        if (trap.ok() && known)
            return true;
        nanosleep(&pause, nullptr);
    }
    return false;
}

bool queryTree(Display* display, ::Window window, TreePlace& place) {
    ErrorTrap trap(display);
    ::Window* children = nullptr;
    const Status found =
        XQueryTree(display, window, &place.root, &place.parent, &children, &place.children);
    if (children)
        XFree(children);
    return trap.ok() && found;
}

bool rootPosition(Display* display, ::Window window, int& x, int& y) {
    ErrorTrap trap(display);
    ::Window ignored = 0;
    const Bool known =
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &ignored);
    return trap.ok() && known;
}

bool queryPointer(Display* display, int& x, int& y, unsigned& mask) {
    ::Window root = 0;
    ::Window child = 0;
    int windowX = 0;
    int windowY = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                         &windowY, &mask) != 0;
}

} // namespace x11
