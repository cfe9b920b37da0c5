#include "pointer_events.h"

#include "native_window.h"
#include "platform/window.h"

namespace x11 {

namespace {
// The server's state bits after the event, as the toolkit names them.
unsigned heldOf(unsigned state) {
    unsigned held = 0;
    if (state & Button1Mask)
        held |= platform::kLeftButtonHeld;
    if (state & Button2Mask)
        held |= platform::kMiddleButtonHeld;
    if (state & Button3Mask)
        held |= platform::kRightButtonHeld;
    if (state & ShiftMask)
        held |= platform::kShiftKeyHeld;
    if (state & ControlMask)
        held |= platform::kControlKeyHeld;
    if (state & Mod1Mask)
        held |= platform::kAltKeyHeld;
    return held;
}

void deliver(::Window window, platform::WindowEvent kind, int x, int y, unsigned state) {
    NativeWindow* w = nativeById(window);
    if (!w)
        return;
    platform::WindowMessage message{kind};
    message.x = x;
    message.y = y;
    message.pointerHeld = heldOf(state);
    software::deliverEvent(w, message);
}
} // namespace

void deliverPointerEvent(const XEvent& event) {
    if (event.type == MotionNotify) {
        const XMotionEvent& move = event.xmotion;
        deliver(move.window, platform::WindowEvent::PointerMove, move.x, move.y, move.state);
        return;
    }
    if (event.type != ButtonRelease)
        return;
    const XButtonEvent& release = event.xbutton;
    // The wheel's buttons press and release at once: no drag holds them.
    if (release.button < Button1 || release.button > Button3)
        return;
    // The event's state is the one before the release; the button is up after it.
    const unsigned released = static_cast<unsigned>(Button1Mask) << (release.button - Button1);
    deliver(release.window, platform::WindowEvent::ButtonUp, release.x, release.y,
            release.state & ~released);
}

} // namespace x11

namespace platform {

// While a press is held the server sends its moves and its release to the
// window it was made on, wherever the pointer goes: a drag follows them.
DragStyle dragStyle() {
    return DragStyle::PointerEvents;
}

} // namespace platform
