// An editor scenario's gesture as real input through the X server: the
// xdotool steps for it, played at a window whose top-left corner is at
// (screenX, screenY) while `pump` gives the editor its time.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor_driver.h"

// Paced: each step held long enough for a drag loop to poll it, as a user
// makes them. Not paced: every step sent before the editor handles the first.
std::vector<std::string> xdotoolSteps(const editor_scenarios::Gesture& gesture, int screenX,
                                      int screenY, bool paced);

bool playGesture(const editor_scenarios::Gesture& gesture, int screenX, int screenY,
                 const std::function<void()>& pump);
bool playGestureAtOnce(const editor_scenarios::Gesture& gesture, int screenX, int screenY,
                       const std::function<void()>& pump);
