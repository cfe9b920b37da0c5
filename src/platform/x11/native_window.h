// The backend's windows: a software-drawn window (its surface is the
// picture shown) with the X11 window that shows it.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "objects.h"

namespace x11 {

struct NativeWindow : software::WindowObject {
    ::Window id = 0;
    ::Window foreignParent = 0; // the host's window, when the parent is not ours
    bool hearsKeys = false;     // selects key events (keyboard.cpp)
    int askedWidth = 0;         // the size asked for; a host's window may make it larger
    int askedHeight = 0;
    bool coversParent = false; // follows the host window's size (coverParent)
};

// The live windows of the backend, in creation order.
std::vector<NativeWindow*>& nativeWindows();
// The events every window of ours selects (keys only when asked for).
long windowEventMask();
// Selects the key events on the window, or leaves them to the host's windows.
void hearKeys(NativeWindow* w, bool hear);
// The pointer has left the window (not for a child of it): a control that
// asked for the keys while the pointer was there gives them back.
void pointerLeft(const XCrossingEvent& leave);
// The pointer at (x, y) in one of our windows, after a move or a press: a
// window that covers a larger host window hears keys only over the panel,
// the size it was asked for, not over the field beyond it.
void pointerAt(::Window window, int x, int y);

// The backend's window behind a handle; null for a host's window or a dead one.
NativeWindow* nativeOf(platform::Window window);
NativeWindow* nativeById(::Window id);
// The X11 window a handle names: ours, or the host's id itself.
::Window idOf(platform::Window window);

// A new window of ours (mapped, damaged, not yet on the server until the
// next flush) covering `area` of its parent, in the parent's coordinates;
// null on failure. createChildWindow puts it in one of our windows.
NativeWindow* makeWindow(Display* d, NativeWindow* ours, ::Window parentId, const raster::Box& area,
                         const char* className, platform::WindowProcedure procedure);
NativeWindow* createChildWindow(NativeWindow* parent, const raster::Box& area,
                                const char* className, platform::WindowProcedure procedure);

// A window that covers its host's window (coverParent) takes on the host
// window's size, never smaller than asked (an empty one stays empty): now,
// and at every change it hears of. Other windows take the size asked. With
// `showAnyway` the size is shown (and the window damaged) even unchanged.
void followParentSize(Display* d, NativeWindow* w, bool showAnyway = false);
void fitToParent(Display* d, NativeWindow* w, int parentWidth, int parentHeight,
                 bool showAnyway = false);
void stopFollowingParent(Display* d, const NativeWindow* w);
// A host's window changed: the windows of ours in it follow its size.
void parentConfigured(const XConfigureEvent& event);

// Forgets a window the server destroyed (with its host's window), after
// telling it as destroyWindow would.
void windowDestroyedByServer(NativeWindow* w);

// Gives one of our windows a new size, 0 included (then hidden on the server).
void showSize(Display* d, NativeWindow* w, int width, int height);

// Adds to the window's damaged area, which waits for a paint.
void addDamage(NativeWindow* w, const raster::Box& area);
// Sends one paint to the first damaged window; false when none was damaged.
bool paintFirstDamaged();

// Pointer shapes: the one last set is shown over every window of ours.
void showCurrentCursor(NativeWindow* w);
void releaseCursors(Display* display);

// What the system input reports about the last press handled.
void notePress(const XButtonEvent& press);
// Removes a queued left press on one of our windows that came within the
// double-click time of the last press handled; true when there was one.
bool takeQueuedLeftPress();

} // namespace x11
