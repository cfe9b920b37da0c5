// Real mouse and keyboard input through the window system (Windows only):
// a script of steps played on a second thread, while the calling thread goes
// on pumping messages and giving idle time. A control that tracks a drag by
// polling the pointer and the button state on the user-interface thread sees
// the input exactly as it would from a user.
//
// Under Wine on a virtual display, every pointer move makes Wine take the
// modifier keys' state from the display, which never saw the keys sent here:
// a held Shift or Ctrl reads as up for a moment after each move, until the
// player sends it again. Scripts that need a modifier at a press therefore
// move first and press the key after; a modifier held across a move is only
// dependable once the move has settled.
#pragma once

#include <functional>
#include <vector>

#include "harness/host_window.h"

// How long each step lets the user-interface thread catch up, in milliseconds.
constexpr unsigned kInputStepPause = 80;

struct InputStep {
    enum class Kind { moveTo, pressLeft, releaseLeft, keyDown, keyUp, wheel, pause };
    Kind kind = Kind::pause;
    ScreenPoint point{};       // moveTo
    int key = 0;               // keyDown, keyUp: a virtual-key code
    int notches = 0;           // wheel: positive away from the user
    unsigned milliseconds = 0; // pause
};

class InputScript {
public:
    InputScript& moveTo(ScreenPoint point);
    InputScript& pressLeft();
    InputScript& releaseLeft();
    InputScript& keyDown(int virtualKey);
    InputScript& keyUp(int virtualKey);
    // Turns the wheel where the pointer is, all notches at once.
    InputScript& wheel(int notches);
    InputScript& pause(unsigned milliseconds);
    // moveTo, press, pause, release: a click at one point.
    InputScript& click(ScreenPoint point);

    const std::vector<InputStep>& steps() const { return steps_; }

private:
    std::vector<InputStep> steps_;
};

// Plays `script` on a second thread while this thread pumps messages and
// calls `idle` every kIdleInterval milliseconds; then releases any button or
// key the script left down and pumps a little longer so that what the input
// caused is painted. False when the script did not finish within
// `timeoutMilliseconds` or the thread could not start.
bool playInput(const InputScript& script, const std::function<void()>& idle,
               unsigned timeoutMilliseconds = 20000);
