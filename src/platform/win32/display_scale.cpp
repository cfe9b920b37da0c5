// The display's scale as Windows reports it for a window: the window's own
// dots per inch where the system has them for each window (Windows 10 1607
// and later), else the screen's, over the usual 96. Asked without a window,
// the screen's.
#include <windows.h>

#include "handles.h"
#include "platform/window.h"

namespace platform {

namespace {

constexpr double kUsualDotsPerInch = 96.0;

using DpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up when asked, not linked: older systems have no such function,
// and a library that named it would not load there.
DpiForWindowFunction dpiForWindowFunction() {
    HMODULE user = GetModuleHandleA("user32.dll");
    if (!user)
        return nullptr;
    return reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
}

} // namespace

double displayScale(Window w) {
    // No window yet: the main display's, through the screen's device.
    HWND h = win32::hwnd(w);
    if (h && !IsWindow(h))
        return 1.0;
    UINT dots = 0;
    if (h)
        if (DpiForWindowFunction dpiForWindow = dpiForWindowFunction())
            dots = dpiForWindow(h);
    if (dots == 0) {
        if (HDC dc = GetDC(h)) {
            dots = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
            ReleaseDC(h, dc);
        }
    }
    return dots > 0 ? static_cast<double>(dots) / kUsualDotsPerInch : 1.0;
}

} // namespace platform
