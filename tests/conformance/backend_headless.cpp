// The window conformance list on the headless backend.
#include "backend.h"
#include "platform/headless/headless.h"

namespace conformance {

platform::Window makeHostWindow() {
    return headless::createWindow(0, 0, 400, 300);
}

void destroyHostWindow(platform::Window window) {
    headless::destroyWindow(window);
}

void settle() {}

} // namespace conformance
