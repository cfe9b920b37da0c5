// Drag and drop: not offered yet on X11 (no drag-and-drop protocol is
// spoken), so windows refuse the registration and the toolkit goes without
// drops, as it does wherever the service is missing.
#include "platform/drop.h"

namespace platform {

void oleInitialize() {}

void oleUninitialize() {}

bool registerDropTarget(Window, DropReceiver*) {
    return false;
}

bool revokeDropTarget(Window) {
    return false;
}

bool resolveShellLink(const char*, char*, int) {
    // Linux has no shell links: a dropped name is the file itself.
    return false;
}

} // namespace platform
