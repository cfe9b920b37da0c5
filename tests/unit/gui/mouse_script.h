// Scripted mouse input for code that polls the mouse, such as a control's
// drag loop. Step 0 is the press: its buttons, modifiers and position hold at
// once. Every read of the pointer position moves on to the next step, whose
// buttons then hold and whose position the read returns; the last step stays.
// A drag loop reads the pointer once per pass, so pass n + 1 uses step n; a
// script ends with a step that releases the button. Positions are in the
// coordinates of a window whose top-left screen corner is `windowOrigin`.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "gui/draw_context.h"
#include "gui/frame.h"
#include "platform/headless/headless.h"

struct MouseStep {
    int x;
    int y;
    int state; // bits of MouseState
};

class MouseScript {
public:
    MouseScript(Point windowOrigin, std::vector<MouseStep> steps)
        : origin(windowOrigin), script(std::move(steps)) {
        apply(0);
        headless::input().onPointerRead = [this] {
            ++reads;
            if (current + 1 < script.size())
                apply(current + 1);
        };
    }
    ~MouseScript() { headless::resetInput(); }
    MouseScript(const MouseScript&) = delete;
    MouseScript& operator=(const MouseScript&) = delete;

    int pointerReads() const { return reads; }

private:
    void apply(std::size_t step) {
        current = step;
        headless::InputState& in = headless::input();
        const int state = script[step].state;
        in.keyDown[platform::kKeyLeftButton] = (state & kLButton) != 0;
        in.keyDown[platform::kKeyMiddleButton] = (state & kMButton) != 0;
        in.keyDown[platform::kKeyRightButton] = (state & kRButton) != 0;
        in.keyDown[platform::kKeyShift] = (state & kShift) != 0;
        in.keyDown[platform::kKeyControl] = (state & kControl) != 0;
        in.keyDown[platform::kKeyAlt] = (state & kAlt) != 0;
        in.pointer = {origin.h + script[step].x, origin.v + script[step].y};
    }

    Point origin;
    std::vector<MouseStep> script;
    std::size_t current = 0;
    int reads = 0;
};

// A press at (x, y) of `frame`'s window with `state`, then the steps `then`
// that a drag loop polls; with `byEvents` the window system reports the moves
// as events instead, and the frame is handed the same steps: each a move
// while the left button is held, the first without it the release.
inline void playPress(Frame& frame, Point windowOrigin, int x, int y, int state,
                      const std::vector<MouseStep>& then, bool byEvents) {
    std::vector<MouseStep> steps{{x, y, state}};
    steps.insert(steps.end(), then.begin(), then.end());
    MouseScript script(windowOrigin, steps);
    headless::input().dragsByEvents = byEvents;
    frame.onButtonDownMessage(x, y);
    if (!byEvents)
        return;
    for (const MouseStep& step : then) {
        frame.onPointerMessage(step.x, step.y, step.state);
        if ((step.state & kLButton) == 0)
            break;
    }
}
