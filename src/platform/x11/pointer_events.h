// The pointer's moves and button releases over our windows, handed to their
// procedures as events: a drag follows them and returns to the host between
// two of them, instead of holding the host's thread until the release.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// A MotionNotify or ButtonRelease of one of our windows, told to its procedure.
void deliverPointerEvent(const XEvent& event);

} // namespace x11
