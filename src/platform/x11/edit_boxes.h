// What the event handling passes to the edit boxes: the keys typed into a
// box and the box's loss of the keyboard focus.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// Edits the box the key was typed into; false when the key is no box's.
bool editBoxKey(XKeyEvent& key);
// Tells a box's owner that the box lost the keyboard focus.
void editBoxFocusOut(const XFocusChangeEvent& focus);

} // namespace x11
