// The window conformance list on the X11 backend: the host's window is one
// of another display connection, as a real host's is.
#include "backend.h"
#include "platform/x11/x11.h"

namespace conformance {

platform::Window makeHostWindow() {
    return x11::createHostWindow(0, 0, 400, 300);
}

void destroyHostWindow(platform::Window window) {
    x11::destroyHostWindow(window);
    x11::syncHost();
}

// Only the host's side: the backend's own events (and the paints they
// bring) wait for the list to dispatch them.
void settle() {
    x11::syncHost();
}

} // namespace conformance
