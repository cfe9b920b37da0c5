// A drag source speaking XDND version 5, for tests: from a window of a
// display connection of its own it drags data of one type onto a window,
// as a file manager or a text editor does, while the test keeps handling
// the target's events. No X11 header is needed to use it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the target answered.
struct DragAnswers {
    bool status = false;    // an XdndStatus came
    bool accepted = false;  // it accepted the drag
    bool finished = false;  // an XdndFinished came after the drop
    bool taken = false;     // it took the drop
    bool dataAsked = false; // it asked for the data
};

// The pointer is put at (x, y) on the screen, over the target; the drag is
// dropped there. `pump` handles the target's events meanwhile.
DragAnswers dragOnto(std::uint32_t target, int x, int y, const std::string& type,
                     const std::string& data, const std::function<void()>& pump);

// The XDND version the window says it speaks; 0 when it says nothing.
int dropVersionOf(std::uint32_t window);
