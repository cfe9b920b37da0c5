// What the event handling passes to the drop service: the messages a drag
// source sends while it drags over one of our windows, and the dropped data
// the source hands over when asked.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

void dragMessage(const XClientMessageEvent& message);
void droppedData(const XSelectionEvent& answer);

} // namespace x11
