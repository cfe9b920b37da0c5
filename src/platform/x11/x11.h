// What hosts, tools and tests can do with the X11 backend beyond the
// platform interface: drive its events, play the host's side (a window of
// another display connection, as a real host's is) and count what the
// backend holds on the server. No X11 header is needed to use it.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"
#include "platform/software/raster/surface.h"

namespace x11 {

// Handles every event waiting for the backend's windows, then paints the
// damaged ones; returns how many events were handled. Hosts call it from
// their idle time (the editor's idle does).
int processEvents();
// The file descriptor of the backend's display connection, -1 while none is
// open: a host that watches it calls processEvents when it can be read.
int connectionFd();

// A host's top-level window of the given size at (x, y), made on a display
// connection of its own and mapped; its handle is the window's id, as a host
// passes it to a plug-in. Null when there is no display.
platform::Window createHostWindow(int x, int y, int width, int height);
void destroyHostWindow(platform::Window window);
// Moves and resizes a host's window, as a host does with the window it gave.
void placeHostWindow(platform::Window window, int x, int y, int width, int height);
// Waits until the host connection's requests have reached the server.
void syncHost();
// The id of any window, ours or the host's.
std::uint32_t windowId(platform::Window window);
// How many child windows the server lists for the window (ours or the host's).
int serverChildCount(platform::Window window);
// The window's pixels as the server holds them; empty when it cannot be read.
raster::Surface captureWindow(platform::Window window);

// The screen's pixels in the box as the server holds them, cut to the
// screen; empty when they cannot be read.
raster::Surface captureScreen(int left, int top, int right, int bottom);
// Tools that show an open pop-up menu: called from inside the menu's loop,
// once, when its first level is on the screen, with the menu's box there;
// answering false dismisses the menu. Null for none.
using OpenMenuWatcher = bool (*)(int left, int top, int right, int bottom);
void watchOpenMenus(OpenMenuWatcher watcher);

// What the backend holds on the server now: its windows, graphics contexts
// and pointer shapes, and whether its display connection is open.
int liveWindowCount();
int liveGraphicsContextCount();
int liveCursorCount();
bool connected();

} // namespace x11
