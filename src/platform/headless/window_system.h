// What the simulated window system's parts tell each other: posted presses,
// child windows, the keyboard focus, edit-box painting and resets.
#pragma once

#include <vector>

#include "objects.h"

namespace headless {

using namespace software;

// Removes the first left-button press posted to any window; false when none.
bool takePostedLeftPress();

// A child window of `parent` covering `client` (parent client coordinates),
// damaged so that it waits for its first paint.
WindowObject* newChildWindow(WindowObject* parent, const raster::Box& client,
                             const char* className);
// Every live window, in creation order.
const std::vector<WindowObject*>& liveWindows();

// The window with the keyboard focus (null for none). Moving the focus away
// from an edit box tells the box's handler.
WindowObject* keyboardFocus();
void moveKeyboardFocus(WindowObject* to);

// Paints an edit box in the colours its parent's procedure gives it.
void paintEditBox(WindowObject* box);

// Forgets the menus' queued answers and records (with the window system).
void resetMenus();

} // namespace headless
