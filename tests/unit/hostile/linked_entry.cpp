// The hostile-host tests of the plug-in linked into the test program, its
// editor on the headless backend.
#include <string>

#include "host/module.h"
#include "hostile/hostile_support.h"
#include "platform/headless/headless.h"

PluginEntry hostile::entryUnderTest() {
    return &tarvelMain;
}

void* hostile::createEditorParent() {
    headless::resetInput();
    return headless::createWindow(100, 50, 400, 300);
}

void hostile::destroyEditorParent(void* parent) {
    headless::destroyWindow(static_cast<platform::Window>(parent));
}

void hostile::handleEditorEvents() {
    headless::dispatchMessages();
}

std::string hostile::editorHoldings() {
    return "windows " + std::to_string(headless::windowCount()) + ", drawing objects " +
           std::to_string(headless::liveObjectCount()) + ", uses of dead handles " +
           std::to_string(headless::deadHandleUses()) + ", drop registrations lost " +
           std::to_string(headless::lostDropRegistrations());
}
