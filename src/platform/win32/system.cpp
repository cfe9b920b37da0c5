// Libraries, resources, input state and time through the Windows services.
#include <windows.h>

#include "handles.h"
#include "platform/system.h"

namespace platform {

using namespace win32;

Module loadLibrary(const char* name) {
    return reinterpret_cast<Module>(LoadLibraryA(name));
}

ProcAddress procAddress(Module m, const char* name) {
    return reinterpret_cast<ProcAddress>(GetProcAddress(module(m), name));
}

void freeLibrary(Module m) {
    FreeLibrary(module(m));
}

int platformFamily() {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info; // the extended record, 156 bytes
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
        return -1;
    return static_cast<int>(info.dwPlatformId);
}

GraphicsObject loadBitmapResource(Module m, std::uint16_t id) {
    return object(LoadBitmapA(reinterpret_cast<HINSTANCE>(m), MAKEINTRESOURCEA(id)));
}

std::int16_t asyncKeyState(int key) {
    return GetAsyncKeyState(key);
}

bool cursorPosition(DevicePoint& screen) {
    POINT p{};
    if (!GetCursorPos(&p))
        return false;
    screen = DevicePoint{p.x, p.y};
    return true;
}

bool windowRect(Window w, DeviceRect& screen) {
    return GetWindowRect(hwnd(w), reinterpret_cast<RECT*>(&screen)) != 0;
}

ColorValue systemColor(SystemColor which) {
    return static_cast<ColorValue>(GetSysColor(which));
}

int systemMetric(SystemMetric metric) {
    return GetSystemMetrics(metric);
}
std::uint32_t doubleClickTime() {
    return GetDoubleClickTime();
}
std::int32_t lastMessageTime() {
    return GetMessageTime();
}

bool takeLeftButtonDown() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN,
                        PM_REMOVE | PM_NOYIELD) != 0;
}

std::uint32_t tickCount() {
    return GetTickCount();
}
void sleep(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

} // namespace platform
