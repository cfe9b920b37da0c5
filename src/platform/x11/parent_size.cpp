// A window of ours that covers a host's window (coverParent): a host may
// make its window larger than the size asked for (or resize it later), and
// the part of it we do not cover would show whatever lay underneath. Our
// window follows the host's size, never smaller than asked; its procedure
// paints what lies beyond its content.
#include <algorithm>

#include "connection.h"
#include "native_window.h"
#include "platform/window.h"

namespace x11 {

namespace {
bool parentFollowedByAnother(const NativeWindow* w) {
    for (const NativeWindow* other : nativeWindows())
        if (other != w && other->coversParent && other->foreignParent == w->foreignParent)
            return true;
    return false;
}
} // namespace

void fitToParent(Display* d, NativeWindow* w, int parentWidth, int parentHeight, bool showAnyway) {
    if (!w->coversParent)
        parentWidth = parentHeight = 0;
    const bool empty = w->askedWidth == 0 || w->askedHeight == 0;
    const int width = empty ? w->askedWidth : std::max(w->askedWidth, parentWidth);
    const int height = empty ? w->askedHeight : std::max(w->askedHeight, parentHeight);
    if (showAnyway || width != w->surface.width() || height != w->surface.height())
        showSize(d, w, width, height);
}

void followParentSize(Display* d, NativeWindow* w, bool showAnyway) {
    int parentWidth = 0;
    int parentHeight = 0;
    if (w->coversParent) {
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
    fitToParent(d, w, parentWidth, parentHeight, showAnyway);
}

void stopFollowingParent(Display* d, const NativeWindow* w) {
    if (!w->coversParent || parentFollowedByAnother(w))
        return;
    ErrorTrap trap(d);
    XSelectInput(d, w->foreignParent, NoEventMask);
}

void parentConfigured(const XConfigureEvent& event) {
    Display* d = openDisplay();
    if (!d)
        return;
    for (NativeWindow* w : nativeWindows())
        if (w->coversParent && w->foreignParent == event.window)
            fitToParent(d, w, event.width, event.height);
    XFlush(d);
}

} // namespace x11

namespace platform {

bool coverParent(Window window) {
    x11::NativeWindow* w = x11::nativeOf(window);
    Display* d = x11::openDisplay();
    if (!w || !d || !w->foreignParent)
        return false;
    w->coversParent = true;
    x11::followParentSize(d, w);
    XFlush(d);
    return true;
}

} // namespace platform
