// Dragging and dropping onto a window: the platform's drop service delivers
// texts and file lists dropped on a registered window to a receiver.
#pragma once

#include <cstddef>

#include "platform/platform_types.h"

namespace platform {

// Told of what is dropped on the window it is registered for; answers
// whether it took the drop.
class DropReceiver {
public:
    virtual ~DropReceiver() = default;
    // A text: `size` is the size in bytes of the memory block holding it.
    virtual bool dropText(const char* text, std::size_t size) = 0;
    // File names, each at most 1023 characters.
    virtual bool dropFiles(const char* const* names, int count) = 0;
};

// The drag-and-drop service needs its per-thread initialisation, once for
// each user and balanced.
void oleInitialize();
void oleUninitialize();

// Registers `receiver` for drops on `window` until revoked; the receiver
// must outlive the registration.
bool registerDropTarget(Window window, DropReceiver* receiver);
bool revokeDropTarget(Window window);

// The target path (short form) of the shell link file `linkPath`, at most
// `capacity` characters with the zero; false, and `target` untouched, on failure.
bool resolveShellLink(const char* linkPath, char* target, int capacity);

} // namespace platform
