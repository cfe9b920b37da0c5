// What the window conformance list needs from the backend it runs on, beyond
// the platform seam: a host's top-level window to put windows in. Each
// program of the list (headless, X11, Win32) defines these.
#pragma once

#include "platform/platform_types.h"

namespace conformance {

// A visible top-level window of the host's, 400 by 300; null when none can be made.
platform::Window makeHostWindow();
void destroyHostWindow(platform::Window window);
// Lets the window system catch up with what was asked (a round trip to an
// X server, nothing where requests are immediate).
void settle();

} // namespace conformance
