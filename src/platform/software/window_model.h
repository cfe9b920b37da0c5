// The window rules both software-drawn backends (headless, X11) share,
// written once as the seam's contract states them (platform/window.h): the
// class table, the parent and child links and the destroy order, damage,
// painting and resizing. Each backend keeps its own list of live windows and
// what it shows them on.
#pragma once

#include "objects.h"

namespace software {

// The class table: a name registered once, until it is unregistered.
bool registerWindowClass(const char* name, platform::WindowProcedure procedure);
void unregisterWindowClass(const char* name);
// The procedure of a registered class; null for an unknown one.
platform::WindowProcedure windowClassProcedure(const char* name);
void forgetWindowClasses();

// Links a new window under its parent (none for a host's window).
void linkToParent(WindowObject* w, WindowObject* parent);

// What a backend does as a window goes: `leaving` before it is told (the
// keyboard focus leaves it), `forget` once it and its children were told
// (the backend drops it from its lists and frees it).
struct WindowEnd {
    void (*leaving)(WindowObject* w) = nullptr;
    void (*forget)(WindowObject* w) = nullptr;
};
// Destroys the window and its children: each is told (Destroy) while it and
// its children still exist, the parent before its children.
void destroyWindowTree(WindowObject* w, const WindowEnd& end);

// Damage: what waits for a paint, cut to the window.
raster::Box wholeOf(const WindowObject* w);
void addDamage(WindowObject* w, const raster::Box& area);
// The damage's bounds; false when nothing waits for a paint.
bool damageBounds(const WindowObject* w, platform::DeviceRect& update);
// Sends the window its paint; a procedure that does not handle it leaves
// the window validated, as the default processing does.
void paintWindow(WindowObject* w);
// Starts a paint session on the damage (taken from the window); false when
// no target could be made.
bool beginWindowPaint(WindowObject* w, platform::PaintSession& session);

// A new size, 0 included: the pixels that still fit are kept and the window
// waits for a paint of the whole.
void resizeWindow(WindowObject* w, int width, int height);

} // namespace software
