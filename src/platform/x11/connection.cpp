#include "connection.h"

#include <time.h>

#include <cstdlib>

#include "native_window.h"
#include "platform/x11/x11.h"
#include "screen_image.h"

namespace x11 {

namespace {
Display* connection = nullptr;
unsigned opened = 0;
int trappedErrors = 0;

int trapError(Display*, XErrorEvent*) {
    ++trappedErrors;
    return 0;
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
        if (Display* d = XOpenDisplay(nullptr))
            return d;
        nanosleep(&pause, nullptr);
    }
    return nullptr;
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
    XCloseDisplay(connection);
    connection = nullptr;
}

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    trappedErrors = 0;
    previous_ = XSetErrorHandler(trapError);
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool ErrorTrap::ok() {
    XSync(display_, False);
    return trappedErrors == 0;
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

bool queryPointer(Display* display, int& x, int& y, unsigned& mask) {
    ::Window root = 0;
    ::Window child = 0;
    int windowX = 0;
    int windowY = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                         &windowY, &mask) != 0;
}

} // namespace x11
