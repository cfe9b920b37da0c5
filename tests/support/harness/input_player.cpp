#include "harness/input_player.h"

#include <windows.h>

#include <set>

#include "harness/message_pump.h"

namespace {

// After the script: time for the last step's effects to be painted.
constexpr unsigned kSettleTime = 150;

void sendMouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags; // no move: the button acts where the pointer is
    SendInput(1, &input, sizeof input);
}

void sendWheel(int notches) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    SendInput(1, &input, sizeof input);
}

void sendKey(int virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

struct Playback {
    const std::vector<InputStep>* steps = nullptr;
    bool leftDown = false;
    std::set<int> keysDown;

    void play(const InputStep& step) {
        switch (step.kind) {
        case InputStep::Kind::moveTo:
            SetCursorPos(step.point.x, step.point.y);
            reassertKeys();
            break;
        case InputStep::Kind::pressLeft:
            sendMouseButton(MOUSEEVENTF_LEFTDOWN);
            leftDown = true;
            break;
        case InputStep::Kind::releaseLeft:
            sendMouseButton(MOUSEEVENTF_LEFTUP);
            leftDown = false;
            break;
        case InputStep::Kind::keyDown:
            sendKey(step.key, true);
            keysDown.insert(step.key);
            break;
        case InputStep::Kind::keyUp:
            sendKey(step.key, false);
            keysDown.erase(step.key);
            break;
        case InputStep::Kind::wheel:
            sendWheel(step.notches);
            break;
        case InputStep::Kind::pause:
            Sleep(step.milliseconds);
            return;
        }
        Sleep(kInputStepPause);
    }

    // When the pointer enters a window, Wine takes the modifier keys' state
    // from the display, which never saw the keys sent here: held keys are
    // sent again once that has happened.
    void reassertKeys() {
        if (keysDown.empty()) {
            return;
        }
        Sleep(kInputStepPause);
        for (int key : keysDown) {
            sendKey(key, true);
        }
    }

    // A failed or careless script must not leave the next one a held button.
    void releaseLeftovers() {
        if (leftDown) {
            sendMouseButton(MOUSEEVENTF_LEFTUP);
            leftDown = false;
        }
        for (int key : keysDown) {
            sendKey(key, false);
        }
        keysDown.clear();
    }
};

DWORD WINAPI playbackThread(void* argument) {
    auto* playback = static_cast<Playback*>(argument);
    for (const InputStep& step : *playback->steps) {
        playback->play(step);
    }
    playback->releaseLeftovers();
    return 0;
}

InputStep stepOf(InputStep::Kind kind) {
    InputStep step;
    step.kind = kind;
    return step;
}

} // namespace

InputScript& InputScript::moveTo(ScreenPoint point) {
    InputStep step = stepOf(InputStep::Kind::moveTo);
    step.point = point;
    steps_.push_back(step);
    return *this;
}

InputScript& InputScript::pressLeft() {
    steps_.push_back(stepOf(InputStep::Kind::pressLeft));
    return *this;
}

InputScript& InputScript::releaseLeft() {
    steps_.push_back(stepOf(InputStep::Kind::releaseLeft));
    return *this;
}

InputScript& InputScript::keyDown(int virtualKey) {
    InputStep step = stepOf(InputStep::Kind::keyDown);
    step.key = virtualKey;
    steps_.push_back(step);
    return *this;
}

InputScript& InputScript::keyUp(int virtualKey) {
    InputStep step = stepOf(InputStep::Kind::keyUp);
    step.key = virtualKey;
    steps_.push_back(step);
    return *this;
}

InputScript& InputScript::wheel(int notches) {
    InputStep step = stepOf(InputStep::Kind::wheel);
    step.notches = notches;
    steps_.push_back(step);
    return *this;
}

InputScript& InputScript::pause(unsigned milliseconds) {
    InputStep step = stepOf(InputStep::Kind::pause);
    step.milliseconds = milliseconds;
    steps_.push_back(step);
    return *this;
}

InputScript& InputScript::click(ScreenPoint point) {
    return moveTo(point).pressLeft().pause(kInputStepPause).releaseLeft();
}

bool playInput(const InputScript& script, const std::function<void()>& idle,
               unsigned timeoutMilliseconds) {
    Playback playback;
    playback.steps = &script.steps();
    HANDLE thread = CreateThread(nullptr, 0, playbackThread, &playback, 0, nullptr);
    if (thread == nullptr) {
        return false;
    }
    const bool finished = pumpUntilSignalled(thread, timeoutMilliseconds, idle);
    if (!finished) {
        // The playback only sleeps and sends input: it ends soon; `playback`
        // must outlive it.
        WaitForSingleObject(thread, INFINITE);
    }
    CloseHandle(thread);
    pumpMessages(kSettleTime, idle);
    return finished;
}
