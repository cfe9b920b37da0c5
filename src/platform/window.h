// Windows the toolkit creates inside a window the host gives it.
#pragma once

#include "platform/platform_types.h"

namespace platform {

// A visible child window at the parent's top-left corner; null on failure.
Window createChildWindow(Window parent, int width, int height);
void destroyWindow(Window window);

} // namespace platform
