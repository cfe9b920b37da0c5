#include "platform/headless/headless.h"
#include "stress_window.h"

void* createStressWindow() {
    return headless::createWindow(0, 0, 400, 300);
}

void destroyStressWindow(void* window) {
    headless::destroyWindow(static_cast<platform::Window>(window));
}
