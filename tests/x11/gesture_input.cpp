#include "gesture_input.h"

#include <algorithm>

#include "real_input.h"

using editor_scenarios::Action;
using editor_scenarios::Gesture;
using editor_scenarios::Key;

namespace {

// Long enough for the slider's drag loop to poll each state.
const std::string kPause = "0.2";

std::string keyName(Key key) {
    static const char* const names[] = {"Up", "Down", "Left", "Right"};
    return names[static_cast<int>(key)];
}

void modifierKeys(std::vector<std::string>& steps, int modifiers, const char* upOrDown) {
    if (modifiers & editor_scenarios::kShiftHeld)
        steps.insert(steps.end(), {upOrDown, "shift"});
    if (modifiers & editor_scenarios::kControlHeld)
        steps.insert(steps.end(), {upOrDown, "ctrl"});
}

} // namespace

std::vector<std::string> xdotoolSteps(const Gesture& gesture, int screenX, int screenY,
                                      bool paced) {
    std::vector<std::string> steps;
    auto pause = [&] {
        if (paced)
            steps.insert(steps.end(), {"sleep", kPause});
    };
    bool moved = false;
    int lastX = -1;
    int lastY = -1;
    int held = editor_scenarios::kNoModifier;
    for (const Action& action : gesture.actions()) {
        switch (action.kind) {
        case Action::moveTo: {
            // The screen ends where a user's pointer stops.
            const int x = std::max(0, screenX + action.x);
            const int y = std::max(0, screenY + action.y);
            if (moved && x == lastX && y == lastY)
                break;
            steps.push_back("mousemove");
            // Waiting for the move to arrive; not at the first, which would
            // wait for ever when the pointer is there already.
            if (moved && paced)
                steps.push_back("--sync");
            steps.insert(steps.end(), {std::to_string(x), std::to_string(y)});
            pause();
            moved = true;
            lastX = x;
            lastY = y;
            break;
        }
        case Action::press:
            held = action.modifiers;
            modifierKeys(steps, held, "keydown");
            if (held != editor_scenarios::kNoModifier)
                pause();
            steps.insert(steps.end(), {"mousedown", "1"});
            pause();
            break;
        case Action::release:
            steps.insert(steps.end(), {"mouseup", "1"});
            if (held != editor_scenarios::kNoModifier)
                pause();
            modifierKeys(steps, held, "keyup");
            held = editor_scenarios::kNoModifier;
            break;
        case Action::wheel:
            // Button 4 is a notch away from the user, 5 one towards.
            for (int i = 0; i < std::abs(action.notches); ++i)
                steps.insert(steps.end(), {"click", action.notches > 0 ? "4" : "5"});
            break;
        case Action::keyStroke:
            steps.insert(steps.end(),
                         {"key", (action.modifiers & editor_scenarios::kShiftHeld ? "shift+" : "") +
                                     keyName(action.key)});
            break;
        }
    }
    return steps;
}

bool playGesture(const Gesture& gesture, int screenX, int screenY,
                 const std::function<void()>& pump) {
    return playInput(xdotoolSteps(gesture, screenX, screenY, true), pump);
}

bool playGestureAtOnce(const Gesture& gesture, int screenX, int screenY,
                       const std::function<void()>& pump) {
    return playInputBeforeHandling(xdotoolSteps(gesture, screenX, screenY, false), pump);
}
