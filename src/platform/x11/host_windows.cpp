// The host's side, for tools and tests: top-level windows on a display
// connection of their own, as a host's are, and questions to the server
// about any window.
#include <X11/Xlib.h>

#include <cstdint>

#include "connection.h"
#include "native_window.h"
#include "screen_image.h"
#include "x11.h"

namespace x11 {

namespace {
struct HostConnection {
    Display* display = nullptr;
    int windows = 0;
};

HostConnection& host() {
    static HostConnection h;
    return h;
}

platform::Window handleOf(::Window id) {
    return reinterpret_cast<platform::Window>(static_cast<std::uintptr_t>(id));
}

// The connection that can answer questions about the window: ours for our
// windows, else the host's (ours when the host has none open).
Display* askerFor(platform::Window window) {
    if (nativeOf(window) || !host().display)
        return display();
    return host().display;
}
} // namespace

platform::Window createHostWindow(int x, int y, int width, int height) {
    if (!host().display)
        host().display = connectToServer();
    Display* d = host().display;
    if (!d || width <= 0 || height <= 0)
        return nullptr;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(d, DefaultScreen(d));
    // Placed where asked, without a window manager's help.
    attributes.override_redirect = True;
    const ::Window id =
        XCreateWindow(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWOverrideRedirect, &attributes);
    XMapRaised(d, id);
    XSync(d, False);
    ++host().windows;
    return handleOf(id);
}

void destroyHostWindow(platform::Window window) {
    Display* d = host().display;
    if (!d || !window)
        return;
    XDestroyWindow(d, idOf(window));
    XSync(d, False);
    if (--host().windows == 0) {
        disconnect(d);
        host().display = nullptr;
    }
}

void placeHostWindow(platform::Window window, int x, int y, int width, int height) {
    Display* d = host().display;
    if (!d || !window || width <= 0 || height <= 0)
        return;
    XMoveResizeWindow(d, idOf(window), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XSync(d, False);
}

void syncHost() {
    if (host().display)
        XSync(host().display, False);
}

std::uint32_t windowId(platform::Window window) {
    return static_cast<std::uint32_t>(idOf(window));
}

int serverChildCount(platform::Window window) {
    Display* d = askerFor(window);
    if (!d)
        return -1;
    TreePlace place;
    return queryTree(d, idOf(window), place) ? static_cast<int>(place.children) : -1;
}

raster::Surface captureWindow(platform::Window window) {
    Display* d = askerFor(window);
    if (!d)
        return raster::Surface();
    XSync(d, False);
    return capture(d, idOf(window));
}

raster::Surface captureScreen(int left, int top, int right, int bottom) {
    Display* d = openDisplay() ? openDisplay() : host().display;
    if (!d)
        return raster::Surface();
    XSync(d, False);
    return captureArea(d, DefaultRootWindow(d), raster::Box{left, top, right, bottom});
}

int liveGraphicsContextCount() {
    return graphicsContextCount();
}

bool connected() {
    return openDisplay() != nullptr;
}

} // namespace x11
