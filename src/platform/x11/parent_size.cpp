// A window of ours in a host's window covers the whole of it: a host may
// make its window larger than the size asked for (or resize it later), and
// the part of it we do not cover would show whatever lay underneath. Our
// window follows the host's size, never smaller than asked; the procedure
// paints what lies beyond its content.
#include <algorithm>

#include "connection.h"
#include "native_window.h"

namespace x11 {

namespace {
bool parentFollowedByAnother(const NativeWindow* w) {
    for (const NativeWindow* other : nativeWindows())
        if (other != w && other->foreignParent == w->foreignParent)
            return true;
    return false;
}
} // namespace

void fitToParent(NativeWindow* w, int parentWidth, int parentHeight) {
    const int width = std::max(w->askedWidth, parentWidth);
    const int height = std::max(w->askedHeight, parentHeight);
    if (width != w->surface.width() || height != w->surface.height())
        resizeWindow(w, width, height);
}

void followParentSize(Display* d, NativeWindow* w) {
    int parentWidth = 0;
    int parentHeight = 0;
    if (w->foreignParent) {
        // The host may destroy its window at any time.
        ErrorTrap trap(d);
        // Our connection's own selection: the host's, on its connection, stays as it was.
        XSelectInput(d, w->foreignParent, StructureNotifyMask);
        XWindowAttributes parent{};
        const Status known = XGetWindowAttributes(d, w->foreignParent, &parent);
        if (trap.ok() && known) {
            parentWidth = parent.width;
            parentHeight = parent.height;
        }
    }
    fitToParent(w, parentWidth, parentHeight);
}

void stopFollowingParent(Display* d, const NativeWindow* w) {
    if (!w->foreignParent || parentFollowedByAnother(w))
        return;
    ErrorTrap trap(d);
    XSelectInput(d, w->foreignParent, NoEventMask);
}

void parentConfigured(const XConfigureEvent& event) {
    for (NativeWindow* w : nativeWindows())
        if (w->foreignParent == event.window)
            fitToParent(w, event.width, event.height);
}

} // namespace x11
