// Windows the toolkit creates inside a window the host gives it.
#pragma once

#include "platform/platform_types.h"

namespace platform {

// A visible child window at the parent's top-left corner; null on failure.
Window createChildWindow(Window parent, int width, int height);
void destroyWindow(Window window);

// Removes one pending paint message of any window of the calling thread from
// the queue and dispatches it; false when there was none.
bool dispatchPendingPaint();

} // namespace platform
