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
