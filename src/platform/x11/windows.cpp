// Windows of the one window class, as children of a host's window: creation
// and destruction with their notifications, painting and geometry.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "connection.h"
#include "kept.h"
#include "native_window.h"
#include "open_menu.h"
#include "platform/graphics.h"
#include "platform/window.h"
#include "screen_image.h"
#include "window_model.h"
#include "x11.h"

namespace x11 {

namespace {
// Without the keys: they reach the host's windows (its shortcuts) until a
// control asks for them (keyboard.cpp).
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | StructureNotifyMask | FocusChangeMask;

raster::Box wholeOf(const NativeWindow* w) {
    return w->surface.bounds();
}

void forget(software::WindowObject* gone) {
    auto* w = static_cast<NativeWindow*>(gone);
    auto& windows = nativeWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), w), windows.end());
    delete w;
}

// Tells the window, then its children, of the destruction, as the
// procedure expects; the X11 windows go with the top one.
void destroyTree(NativeWindow* w) {
    software::destroyWindowTree(w, software::WindowEnd{nullptr, &forget});
}
} // namespace

std::vector<NativeWindow*>& nativeWindows() {
    static software::Kept<std::vector<NativeWindow*>> windows;
    return *windows;
}

NativeWindow* nativeOf(platform::Window window) {
    for (NativeWindow* w : nativeWindows())
        if (software::handle(w) == window)
            return w;
    return nullptr;
}

long windowEventMask() {
    return kEventMask;
}

NativeWindow* nativeById(::Window id) {
    for (NativeWindow* w : nativeWindows())
        if (w->id == id)
            return w;
    return nullptr;
}

::Window idOf(platform::Window window) {
    if (NativeWindow* w = nativeOf(window))
        return w->id;
    return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(window));
}

void addDamage(NativeWindow* w, const raster::Box& area) {
    software::addDamage(w, area);
}

bool paintFirstDamaged() {
    for (NativeWindow* w : nativeWindows())
        if (!w->damage.empty()) {
            software::paintWindow(w);
            return true;
        }
    return false;
}

// Gives the window its size, keeping the pixels that still fit and waiting
// for a paint of the whole. Windows may be empty, as on Windows; the server
// has none, so an empty window of ours is hidden at its last size instead.
void showSize(Display* d, NativeWindow* w, int width, int height) {
    const bool empty = width == 0 || height == 0;
    ErrorTrap trap(d);
    if (empty) {
        XUnmapWindow(d, w->id);
    } else {
        XResizeWindow(d, w->id, static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (w->surface.width() == 0 || w->surface.height() == 0)
            XMapWindow(d, w->id);
    }
    software::resizeWindow(w, width, height);
}

void windowDestroyedByServer(NativeWindow* w) {
    destroyTree(w);
    closeDisplayIfUnused();
}

NativeWindow* makeWindow(Display* d, NativeWindow* ours, ::Window parentId, const raster::Box& area,
                         const char* className, platform::WindowProcedure procedure) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return nullptr;
    ErrorTrap trap(d);
    // The screen's default visual and depth, whatever the parent's (a host's
    // window may have a visual with an alpha channel): the pictures and the
    // graphics context are made for those. A window of another visual than
    // its parent's needs its own colormap and border pixel.
    const int screen = DefaultScreen(d);
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    attributes.bit_gravity = NorthWestGravity;
    attributes.colormap = DefaultColormap(d, screen);
    attributes.border_pixel = BlackPixel(d, screen);
    const ::Window id =
        XCreateWindow(d, parentId, area.left, area.top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, DefaultDepth(d, screen), InputOutput,
                      DefaultVisual(d, screen),
                      CWEventMask | CWBitGravity | CWColormap | CWBorderPixel, &attributes);
    if (!trap.ok() || !id)
        return nullptr;
    auto* w = new NativeWindow();
    w->id = id;
    w->foreignParent = ours ? 0 : parentId;
    w->parent = ours;
    w->className = className;
    w->procedure = procedure;
    w->surface = raster::Surface(width, height, false, raster::kBlack);
    w->askedWidth = width;
    w->askedHeight = height;
    w->damage = wholeOf(w);
    int x = 0;
    int y = 0;
    rootPosition(d, id, x, y);
    w->screen = raster::Box{x, y, x + width, y + height};
    nativeWindows().push_back(w);
    showCurrentCursor(w);
    XMapWindow(d, id);
    return w;
}

NativeWindow* createChildWindow(NativeWindow* parent, const raster::Box& area,
                                const char* className, platform::WindowProcedure procedure) {
    Display* d = openDisplay();
    if (!d || !parent || !procedure)
        return nullptr;
    NativeWindow* w = makeWindow(d, parent, parent->id, area, className, procedure);
    if (w)
        software::linkToParent(w, parent);
    XFlush(d);
    return w;
}

int liveWindowCount() {
    return static_cast<int>(nativeWindows().size()) + openMenuWindowCount();
}

} // namespace x11

namespace software {

bool liveWindow(const WindowObject* w) {
    for (x11::NativeWindow* n : x11::nativeWindows())
        if (n == w)
            return true;
    return false;
}

// What was drawn straight into a window is shown at once.
void windowTargetReleased(WindowObject* w) {
    if (x11::NativeWindow* n = x11::nativeOf(handle(w)))
        x11::present(n, n->surface.bounds());
}

} // namespace software

namespace platform {

using namespace x11;

bool registerWindowClass(const char* name, Module, WindowProcedure procedure) {
    return software::registerWindowClass(name, procedure);
}

void unregisterWindowClass(const char* name, Module) {
    software::unregisterWindowClass(name);
}

Window createWindow(const char* className, const char* title, Window parent, int width, int height,
                    Module) {
    if (!parent || !className || width < 0 || height < 0)
        return nullptr;
    const WindowProcedure procedure = software::windowClassProcedure(className);
    if (!procedure)
        return nullptr;
    Display* d = display();
    if (!d)
        return nullptr;
    NativeWindow* ours = nativeOf(parent);
    const ::Window parentId = idOf(parent);
    if (!ours && !waitForWindow(d, parentId)) {
        closeDisplayIfUnused();
        return nullptr;
    }
    // The server has no empty windows: an empty one of ours is a single
    // pixel, unmapped until it has a size (see showSize).
    NativeWindow* w =
        makeWindow(d, ours, parentId, raster::Box{0, 0, std::max(width, 1), std::max(height, 1)},
                   className, procedure);
    if (!w) {
        closeDisplayIfUnused();
        return nullptr;
    }
    software::linkToParent(w, ours);
    w->askedWidth = width;
    w->askedHeight = height;
    if (width == 0 || height == 0)
        showSize(d, w, width, height);
    if (title) {
        XStoreName(d, w->id, title);
        w->title = title;
    }
    XFlush(d);
    return software::handle(w);
}

void destroyWindow(Window window) {
    NativeWindow* w = nativeOf(window);
    if (!w)
        return;
    const ::Window id = w->id;
    if (Display* d = openDisplay())
        stopFollowingParent(d, w);
    destroyTree(w);
    if (Display* d = openDisplay()) {
        // The host may have destroyed its window, and ours with it, already.
        ErrorTrap trap(d);
        XDestroyWindow(d, id);
    }
    closeDisplayIfUnused();
}

void setWindowUserData(Window window, void* data) {
    if (NativeWindow* w = nativeOf(window))
        w->userData = data;
}

void* windowUserData(Window window) {
    NativeWindow* w = nativeOf(window);
    return w ? w->userData : nullptr;
}

bool updateRect(Window window, DeviceRect& update) {
    NativeWindow* w = nativeOf(window);
    return w && software::damageBounds(w, update);
}

bool beginPaint(Window window, PaintSession& session) {
    NativeWindow* w = nativeOf(window);
    return w && software::beginWindowPaint(w, session);
}

void endPaint(Window window, PaintSession& session) {
    if (session.dc)
        releaseDC(window, session.dc);
    session.dc = nullptr;
}

bool dispatchPendingPaint() {
    Display* d = openDisplay();
    if (d) {
        XEvent event;
        while (XCheckMaskEvent(d, ExposureMask, &event))
            if (NativeWindow* w = nativeById(event.xexpose.window))
                addDamage(w, raster::Box{event.xexpose.x, event.xexpose.y,
                                         event.xexpose.x + event.xexpose.width,
                                         event.xexpose.y + event.xexpose.height});
    }
    return paintFirstDamaged();
}

Window parentWindow(Window window) {
    if (NativeWindow* w = nativeOf(window))
        return w->parent ? software::handle(w->parent)
                         : reinterpret_cast<Window>(static_cast<std::uintptr_t>(w->foreignParent));
    // A host's window: its parent as the server has it, none for the root.
    Display* d = openDisplay();
    if (!d || !window)
        return nullptr;
    TreePlace place;
    if (!queryTree(d, idOf(window), place) || place.parent == place.root)
        return nullptr;
    return reinterpret_cast<Window>(static_cast<std::uintptr_t>(place.parent));
}

bool hasCaption(Window) {
    // Captions belong to the window manager's frames, never to these windows.
    return false;
}

void screenToClient(Window window, DevicePoint* points, int count) {
    Display* d = openDisplay();
    if (!window || !points || count <= 0 || !d)
        return;
    int x = 0;
    int y = 0;
    if (!rootPosition(d, idOf(window), x, y))
        return;
    for (int i = 0; i < count; ++i) {
        points[i].x -= x;
        points[i].y -= y;
    }
}

void windowClassName(Window window, char* name, int capacity) {
    if (!name || capacity <= 0)
        return;
    name[0] = 0;
    if (NativeWindow* w = nativeOf(window)) {
        std::strncpy(name, w->className.c_str(), static_cast<std::size_t>(capacity) - 1);
        name[capacity - 1] = 0;
    }
}

bool setWindowSize(Window window, int width, int height) {
    NativeWindow* w = nativeOf(window);
    Display* d = openDisplay();
    if (!w || !d || width < 0 || height < 0)
        return false;
    w->askedWidth = width;
    w->askedHeight = height;
    followParentSize(d, w, true);
    XFlush(d);
    return true;
}

void bringWindowToTop(Window window) {
    // Only our own windows: the host's stacking is the host's business.
    NativeWindow* w = nativeOf(window);
    if (Display* d = openDisplay(); w && d)
        XRaiseWindow(d, w->id);
}

} // namespace platform
