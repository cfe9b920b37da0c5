// The window conformance list on the Win32 backend, under Wine: the host's
// window is a plain top-level window of the system's own.
#include <windows.h>

#include <cstdint>

#include "backend.h"

namespace conformance {

platform::Window makeHostWindow() {
    static const bool registered = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = DefWindowProcA;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "TarvelConformanceHost";
        return RegisterClassA(&c) != 0;
    }();
    if (!registered)
        return nullptr;
    HWND h = CreateWindowExA(0, "TarvelConformanceHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             0, 0, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return reinterpret_cast<platform::Window>(h);
}

void destroyHostWindow(platform::Window window) {
    DestroyWindow(reinterpret_cast<HWND>(window));
}

// Every message but the paints, which wait for the list to dispatch them.
void settle() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
           PeekMessageA(&message, nullptr, WM_PAINT + 1, 0xFFFFFFFF, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace conformance
