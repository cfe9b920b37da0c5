// The press being handled, and what the button and modifier questions
// answer while it is. Controls ask whether the button is down when the
// press reaches them, but events are handled only in the host's idle time:
// a quick click (a touchpad's tap, or any click between two idle calls) is
// released on the server by then. The first answers are therefore about the
// press as its event tells it, and its release, once among the events,
// ends it for its handler.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// Notes the press for as long as it lives: while its handler runs.
class HandledPress {
public:
    explicit HandledPress(const XButtonEvent& press);
    ~HandledPress();
    HandledPress(const HandledPress&) = delete;
    HandledPress& operator=(const HandledPress&) = delete;

    unsigned button;             // Button1 to Button3
    unsigned modifiers;          // Shift, Ctrl and Alt as the press found them
    bool answered = false;       // the press's own state has been asked for
    bool followsPointer = false; // its handler has gone on to follow the pointer
    unsigned pressState = 0;     // the state answered until then

private:
    HandledPress* outer;
};

// The buttons and modifiers (the server's state mask) to answer a question
// about the `wanted` ones with; false without a connection.
bool heldState(unsigned wanted, unsigned& state);

// The handler of the press has asked where the pointer is, or has given
// idle time: it follows the pointer from now on, and the live state rules.
void pressFollowsPointer();

} // namespace x11
