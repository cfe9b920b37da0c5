// Real pointer and key input through the X server: xdotool, run beside the
// test, sends the steps while the test keeps handling its windows' events,
// as a host's event loop would.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Runs `xdotool` with the steps as its arguments and calls `pump` until it
// has finished and a little longer, so the last events are handled too.
// False when xdotool could not be run or failed.
bool playInput(const std::vector<std::string>& steps, const std::function<void()>& pump);

// Runs `xdotool` with the steps and lets it finish before `pump` is first
// called: every event of the steps is waiting before the first is handled,
// as when a whole click falls between two of the host's idle calls. Then
// plays `then` as playInput does (a release for a press the steps left
// held: the handler of that press runs inside the first pump).
bool playInputBeforeHandling(const std::vector<std::string>& steps,
                             const std::function<void()>& pump,
                             const std::vector<std::string>& then = {});
