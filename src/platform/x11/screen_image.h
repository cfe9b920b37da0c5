// Putting a window's surface on the screen, and reading the screen back.
#pragma once

#include <X11/Xlib.h>

#include "native_window.h"
#include "raster/surface.h"

namespace x11 {

// Shows the area of the window's surface in its X11 window.
void present(NativeWindow* w, const raster::Box& area);
// The pixels of any window as the server holds them; empty on failure.
raster::Surface capture(Display* display, ::Window window);
// The part of it in the box (window coordinates), cut to the window.
raster::Surface captureArea(Display* display, ::Window window, const raster::Box& area);

// The one graphics context the backend draws with, made on first use.
GC graphicsContext(Display* display);
void releaseGraphicsContext(Display* display);
int graphicsContextCount();

} // namespace x11
