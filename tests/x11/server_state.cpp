#include "server_state.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <dirent.h>
#include <unistd.h>

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

namespace {
Display* counter = nullptr;
} // namespace

ServerHoldings serverHoldingsOfThisProcess() {
    ServerHoldings held;
    if (!counter)
        counter = XOpenDisplay(nullptr);
    int event = 0;
    int error = 0;
    if (!counter || !XResQueryExtension(counter, &event, &error))
        return held;
    XResClientIdSpec every{None, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* ids = nullptr;
    if (XResQueryClientIds(counter, 1, &every, &count, &ids) != Success)
        return held;
    held = ServerHoldings{0, 0};
    for (long i = 0; i < count; ++i) {
        if (XResGetClientPid(&ids[i]) != getpid())
            continue;
        ++held.clients;
        int types = 0;
        XResType* kinds = nullptr;
        if (XResQueryClientResources(counter, ids[i].spec.client, &types, &kinds)) {
            for (int k = 0; k < types; ++k)
                held.resources += static_cast<int>(kinds[k].count);
            XFree(kinds);
        }
    }
    XResClientIdsDestroy(count, ids);
    return held;
}

int openFileCount() {
    DIR* listing = opendir("/proc/self/fd");
    if (!listing)
        return -1;
    int files = 0;
    while (const dirent* entry = readdir(listing))
        files += entry->d_name[0] != '.';
    closedir(listing);
    return files - 1; // the listing's own
}
