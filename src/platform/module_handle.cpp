// The module handle the toolkit loads pictures and registers its window
// class with, the same on every backend.
#include "platform/system.h"

namespace platform {

namespace {

Module storedModule = nullptr;

} // namespace

void setModuleHandle(Module module) {
    storedModule = module;
}

Module moduleHandle() {
    return storedModule;
}

} // namespace platform
