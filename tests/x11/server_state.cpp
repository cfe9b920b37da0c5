#include "server_state.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

std::uint32_t keyboardFocus() {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 0;
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    XCloseDisplay(d);
    return static_cast<std::uint32_t>(focus);
}

namespace {
// Kept open while resources are loaded: a server whose last client leaves
// resets itself, and forgets the resources with everything else.
Display* loader = nullptr;
} // namespace

bool loadServerResources(const std::string& lines) {
    if (!loader)
        loader = XOpenDisplay(nullptr);
    if (!loader)
        return false;
    XChangeProperty(loader, DefaultRootWindow(loader), XA_RESOURCE_MANAGER, XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(lines.data()),
                    static_cast<int>(lines.size()));
    XSync(loader, False);
    return true;
}

void removeServerResources() {
    if (!loader)
        return;
    XDeleteProperty(loader, DefaultRootWindow(loader), XA_RESOURCE_MANAGER);
    XCloseDisplay(loader);
    loader = nullptr;
}
