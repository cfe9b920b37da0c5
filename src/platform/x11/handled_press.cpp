#include "handled_press.h"

#include "connection.h"
#include "native_window.h"

namespace x11 {

namespace {
constexpr unsigned kModifiers = ShiftMask | ControlMask | Mod1Mask;

// The innermost press being handled; presses are delivered one at a time,
// but the outer one is kept should a handler deliver another.
HandledPress* handled = nullptr;

unsigned maskOf(unsigned button) {
    return static_cast<unsigned>(Button1Mask) << (button - Button1);
}

bool liveState(Display* d, unsigned& state) {
    int x = 0;
    int y = 0;
    return queryPointer(d, x, y, state);
}

struct ReleaseSearch {
    unsigned button;
    bool found;
};

// Notes a release of the button on one of our windows and takes nothing:
// every event stays queued for its turn.
Bool noteRelease(Display*, XEvent* event, XPointer arg) {
    auto* search = reinterpret_cast<ReleaseSearch*>(arg);
    if (event->type == ButtonRelease && event->xbutton.button == search->button &&
        nativeById(event->xbutton.window))
        search->found = true;
    return False;
}

// Whether the button's release waits among the events. Asked after a query
// of the server, whose answer came after every event sent before it: those
// are queued by then. (The press handled was taken off the queue, so a
// release queued is its own or a later one's.)
bool releaseQueued(Display* d, unsigned button) {
    ReleaseSearch search{button, false};
    XEvent unused;
    XCheckIfEvent(d, &unused, noteRelease, reinterpret_cast<XPointer>(&search));
    return search.found;
}
} // namespace

HandledPress::HandledPress(const XButtonEvent& press)
    : button(press.button), modifiers(press.state & kModifiers), outer(handled) {
    handled = this;
}

HandledPress::~HandledPress() {
    handled = outer;
}

bool heldState(unsigned wanted, unsigned& state) {
    Display* d = openDisplay();
    if (!d)
        return false;
    HandledPress* press = handled;
    // The questions of one look at the press (a control asks for every
    // button and modifier in turn, and the frame and the control each look)
    // get the same answers until the handler follows the pointer.
    if (press && press->answered && !press->followsPointer) {
        state = press->pressState;
        return true;
    }
    if (!liveState(d, state))
        return false;
    if (!press)
        return true;
    const unsigned held = maskOf(press->button);
    if (!press->answered && !press->followsPointer) {
        // The press as its event tells it: its button down, though its
        // release may have come since, and the modifiers it was made with.
        press->answered = true;
        if (!(state & held) && releaseQueued(d, press->button))
            state |= held;
        state = (state & ~kModifiers) | press->modifiers;
        press->pressState = state;
        return true;
    }
    // A drag loop polling: once the press's release is among the events the
    // press is over, though a later press may hold the button again (that
    // one is handled as its own press).
    if ((wanted & held) && (state & held) && releaseQueued(d, press->button))
        state &= ~held;
    return true;
}

void pressFollowsPointer() {
    if (handled)
        handled->followsPointer = true;
}

} // namespace x11
