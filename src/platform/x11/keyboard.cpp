// Which of our windows hear the keys. A key typed while the host's window
// has the focus goes to the deepest window under the pointer that selects
// key events: a window of ours that always selected them would take the
// host's shortcuts whenever the pointer rests over the panel. So keys are
// selected only while a control wants them: an edit box while it is open,
// the panel after a click in it for as long as the pointer stays there (over
// the panel itself, where the window covers a larger host window).
#include <X11/Xlib.h>

#include "connection.h"
#include "native_window.h"
#include "platform/window.h"

namespace x11 {

void hearKeys(NativeWindow* w, bool hear) {
    Display* d = openDisplay();
    if (!w || !d || w->hearsKeys == hear)
        return;
    w->hearsKeys = hear;
    const long keys = KeyPressMask | KeyReleaseMask;
    XSelectInput(d, w->id, hear ? windowEventMask() | keys : windowEventMask());
    XFlush(d);
}

void pointerLeft(const XCrossingEvent& leave) {
    // Into a child of the window, or for a grab (an open menu's), the
    // pointer is still over the panel.
    if (leave.detail == NotifyInferior || leave.mode != NotifyNormal)
        return;
    NativeWindow* w = nativeById(leave.window);
    if (w && w->className != "EDIT")
        hearKeys(w, false);
}

void pointerAt(::Window window, int x, int y) {
    NativeWindow* w = nativeById(window);
    if (!w || !w->hearsKeys || w->className == "EDIT")
        return;
    const bool overPanel = x >= 0 && y >= 0 && x < w->askedWidth && y < w->askedHeight;
    if (!overPanel)
        hearKeys(w, false);
}

} // namespace x11

namespace platform {

void wantKeys(Window window) {
    x11::hearKeys(x11::nativeOf(window), true);
}

} // namespace platform
