// The test thread's side of real input: a host window for the controls on
// the real window system, and running its messages (and any modal loop a
// control enters) while a second thread sends the input.
#pragma once

#include <windows.h>

#include "platform/system.h"

// A visible top-level window without a frame, of the class `className` with
// the system's window colour, in the foreground; the program's module is the
// one the toolkit registers its classes in.
inline HWND openHostWindow(const char* className, const char* title, int width, int height) {
    platform::setModuleHandle(reinterpret_cast<platform::Module>(GetModuleHandleA(nullptr)));
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    hostClass.lpszClassName = className;
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE, 40, 40, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (host != nullptr)
        SetForegroundWindow(host);
    return host;
}

inline void pumpOnce() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
inline void pumpFor(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        pumpOnce();
        Sleep(5);
    }
}
// Runs the messages until `done` holds or the time is up.
template <typename Done> bool pumpUntil(Done done, DWORD ms = 8000) {
    const DWORD until = GetTickCount() + ms;
    while (!done()) {
        if (GetTickCount() > until)
            return false;
        pumpOnce();
        Sleep(5);
    }
    return true;
}
