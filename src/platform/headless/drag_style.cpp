// The drag style the simulated window system reports: the one the test set.
#include "headless.h"
#include "platform/window.h"

namespace platform {

DragStyle dragStyle() {
    return headless::input().dragsByEvents ? DragStyle::PointerEvents : DragStyle::ModalLoop;
}

} // namespace platform
