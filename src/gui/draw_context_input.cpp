// Input questions of a drawing context: buttons, modifiers and the pointer.
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "gui/toolkit_state.h"
#include "platform/system.h"

namespace {
bool isDown(int key) {
    return (platform::asyncKeyState(key) & 0x8000) != 0;
}

// Half the side of the square the pointer may move in before it counts as moved.
constexpr int kStillTolerance = 2;

Rect stillSquare(const Point& p) {
    return Rect(p.h - kStillTolerance, p.v - kStillTolerance, p.h + kStillTolerance,
                p.v + kStillTolerance);
}
} // namespace

int DrawContext::getMouseButtons() {
    int buttons = 0;
    // The primary button reports 1 whichever physical button it is.
    if (isDown(platform::kKeyLeftButton))
        buttons |= swappedButtons ? kRButton : kLButton;
    if (isDown(platform::kKeyMiddleButton))
        buttons |= kMButton;
    if (isDown(platform::kKeyRightButton))
        buttons |= swappedButtons ? kLButton : kRButton;
    if (isDown(platform::kKeyShift))
        buttons |= kShift;
    if (isDown(platform::kKeyControl))
        buttons |= kControl;
    if (isDown(platform::kKeyAlt))
        buttons |= kAlt;
    return buttons;
}

void DrawContext::getMouseLocation(Point& p) {
    platform::DevicePoint screen{0, 0};
    platform::cursorPosition(screen);
    // The pointer's device position in the window, in the units it covers.
    p = Point(scale::toUnits(screen.x - windowOrigin.h, scale),
              scale::toUnits(screen.y - windowOrigin.v, scale));
}

bool DrawContext::waitDoubleClick() {
    Point p;
    getMouseLocation(p);
    const Rect square = stillSquare(p);
    const std::uint32_t deadline =
        static_cast<std::uint32_t>(platform::lastMessageTime()) + platform::doubleClickTime();
    // Differences, not plain comparisons, so the tick counter may wrap.
    auto before = [deadline](std::uint32_t now) {
        return static_cast<std::int32_t>(now - deadline) < 0;
    };
    if (!before(platform::tickCount()))
        return false;
    do {
        getMouseLocation(p);
        if (!p.isInside(square))
            return false;
        if (platform::takeLeftButtonDown())
            return true;
    } while (before(platform::tickCount()));
    return false;
}

bool DrawContext::waitDrag() {
    if (!frame)
        return false;
    Point p;
    getMouseLocation(p);
    const Rect square = stillSquare(p);
    while (getMouseButtons() & kLButton) {
        frame->processIdle();
        getMouseLocation(p);
        if (!p.isInside(square))
            return true;
    }
    return false;
}
