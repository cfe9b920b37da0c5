// User input sent through the window system from a second thread, while the
// test's own thread runs the window's messages (and any modal loop a control
// enters). Steps run in order; a step may wait for a window to appear.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct InputStep {
    enum Kind { Click, RightClick, ClickInWindow, Key, Text, WaitForWindow, Pause } kind;
    int x = 0; // Click: screen position; ClickInWindow: in the client area of `text`'s window
    int y = 0;
    WORD key = 0;          // Key: virtual key
    std::string text;      // Text: lower-case letters, digits and spaces; WaitForWindow: class name
    HWND parent = nullptr; // WaitForWindow: look among this window's children (null: top level)
    DWORD ms = 0;          // Pause
};

class InputScript {
public:
    explicit InputScript(std::vector<InputStep> steps) : steps_(std::move(steps)) {
        thread = CreateThread(nullptr, 0, &InputScript::run, this, 0, nullptr);
    }
    ~InputScript() {
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
    }
    InputScript(const InputScript&) = delete;
    InputScript& operator=(const InputScript&) = delete;

    bool finished() const { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }
    // A step that waited in vain for its window.
    bool missedAWindow() const { return missed != 0; }

    static InputStep click(int x, int y) { return {InputStep::Click, x, y, 0, "", nullptr, 0}; }
    static InputStep rightClick(int x, int y) {
        return {InputStep::RightClick, x, y, 0, "", nullptr, 0};
    }
    static InputStep clickIn(const char* className, int x, int y) {
        return {InputStep::ClickInWindow, x, y, 0, className, nullptr, 0};
    }
    static InputStep key(WORD vk) { return {InputStep::Key, 0, 0, vk, "", nullptr, 0}; }
    static InputStep text(const std::string& t) {
        return {InputStep::Text, 0, 0, 0, t, nullptr, 0};
    }
    static InputStep waitFor(const char* className, HWND parent = nullptr) {
        return {InputStep::WaitForWindow, 0, 0, 0, className, parent, 0};
    }
    static InputStep pause(DWORD ms) { return {InputStep::Pause, 0, 0, 0, "", nullptr, ms}; }

private:
    static DWORD WINAPI run(void* self) {
        auto* script = static_cast<InputScript*>(self);
        for (const InputStep& step : script->steps_)
            script->perform(step);
        return 0;
    }

    static void send(INPUT input) { SendInput(1, &input, sizeof input); }
    static void button(DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        send(input);
    }
    static void keyEvent(WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        send(input);
    }

    void perform(const InputStep& step) {
        switch (step.kind) {
        case InputStep::Click:
        case InputStep::RightClick: {
            const bool right = step.kind == InputStep::RightClick;
            SetCursorPos(step.x, step.y);
            Sleep(50);
            // Held long enough for the control to see the button down when it
            // reads the key state inside the press.
            button(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
            Sleep(250);
            button(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
            Sleep(100);
            break;
        }
        case InputStep::ClickInWindow: {
            HWND w = FindWindowA(step.text.c_str(), nullptr);
            if (!w) {
                ++missed;
                break;
            }
            POINT p{step.x, step.y};
            ClientToScreen(w, &p);
            perform(click(p.x, p.y));
            break;
        }
        case InputStep::Key:
            keyEvent(step.key, false);
            Sleep(30);
            keyEvent(step.key, true);
            Sleep(80);
            break;
        case InputStep::Text:
            for (const char c : step.text) {
                const WORD vk = static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
                keyEvent(vk, false);
                keyEvent(vk, true);
                Sleep(30);
            }
            Sleep(80);
            break;
        case InputStep::WaitForWindow: {
            const DWORD until = GetTickCount() + 5000;
            while (GetTickCount() < until) {
                HWND w = step.parent
                             ? FindWindowExA(step.parent, nullptr, step.text.c_str(), nullptr)
                             : FindWindowA(step.text.c_str(), nullptr);
                if (w && IsWindowVisible(w)) {
                    Sleep(150); // let it finish opening
                    return;
                }
                Sleep(20);
            }
            ++missed;
            break;
        }
        case InputStep::Pause:
            Sleep(step.ms);
            break;
        }
    }

    std::vector<InputStep> steps_;
    HANDLE thread = nullptr;
    volatile LONG missed = 0;
};
