// A pop-up menu while it is open: windows of its own on top of everything,
// the pointer and the keyboard grabbed, and an event loop of its own that
// ends with the user's choice.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "menu_items.h"
#include "native_window.h"
#include "platform/popup_menu.h"

namespace x11 {

// Shows the measured items with the menu's top-left corner at (x, y) on the
// screen (moved to stay on it) and waits for the user: the answer is the
// chosen item's id, 0 when the menu was dismissed. Only the menu's own
// events are handled meanwhile; the rest wait for the next processEvents.
// `owner` draws the owner-drawn items. Releasing the left button over an
// item chooses it, and the right one too with `rightButton`; a press off the
// menu dismisses it.
unsigned runOpenMenu(Display* display, const std::vector<software::MenuItemInfo>& items, int x,
                     int y, bool rightButton, NativeWindow* owner);

// The menu windows open on the server now.
int openMenuWindowCount();

} // namespace x11
