// The host's window the thread stress opens the editor in, on the backend
// the program is built with (headless, or a real X11 window).
#pragma once

// Null when no window can be made (no display).
void* createStressWindow();
void destroyStressWindow(void* window);
