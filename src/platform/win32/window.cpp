// Child windows inside a window the host gives the plug-in.
#include <windows.h>

#include <cstdio>

#include "handles.h"
#include "host/module.h"
#include "platform/window.h"

namespace platform {

namespace {
// The class is registered once per library, under a name made from the
// module handle so that two loaded copies never share it.
const char* className() {
    static char name[32] = "";
    if (!name[0]) {
        std::snprintf(name, sizeof name, "Plugin%08x",
                      static_cast<unsigned>(reinterpret_cast<UINT_PTR>(hInstance)));
        WNDCLASSA windowClass{};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = static_cast<HINSTANCE>(hInstance);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }
    return name;
}
} // namespace

Window createChildWindow(Window parent, int width, int height) {
    if (!parent)
        return nullptr;
    return win32::window(CreateWindowExA(0, className(), "Window", WS_CHILD | WS_VISIBLE, 0, 0,
                                         width, height, win32::hwnd(parent), nullptr,
                                         static_cast<HINSTANCE>(hInstance), nullptr));
}

void destroyWindow(Window w) {
    DestroyWindow(win32::hwnd(w));
}

} // namespace platform

namespace platform {
bool dispatchPendingPaint() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        return false;
    DispatchMessageA(&message);
    return true;
}
} // namespace platform
