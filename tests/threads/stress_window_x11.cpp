#include "platform/x11/x11.h"
#include "stress_window.h"

void* createStressWindow() {
    return x11::createHostWindow(0, 0, 400, 300);
}

void destroyStressWindow(void* window) {
    x11::destroyHostWindow(static_cast<platform::Window>(window));
}
