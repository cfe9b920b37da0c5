// Conversions between the platform interface's handles and Windows' own.
#pragma once

#include <windows.h>

#include "platform/platform_types.h"

namespace win32 {

inline HDC hdc(platform::DeviceContext dc) {
    return reinterpret_cast<HDC>(dc);
}
inline platform::DeviceContext dc(HDC h) {
    return reinterpret_cast<platform::DeviceContext>(h);
}
inline HWND hwnd(platform::Window w) {
    return reinterpret_cast<HWND>(w);
}
inline platform::Window window(HWND h) {
    return reinterpret_cast<platform::Window>(h);
}
inline HGDIOBJ gdi(platform::GraphicsObject o) {
    return reinterpret_cast<HGDIOBJ>(o);
}
inline platform::GraphicsObject object(HGDIOBJ h) {
    return reinterpret_cast<platform::GraphicsObject>(h);
}
inline HMODULE module(platform::Module m) {
    return reinterpret_cast<HMODULE>(m);
}

} // namespace win32
