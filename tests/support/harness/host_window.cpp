#include "harness/host_window.h"

#include <windows.h>

namespace {

const char kClassName[] = "TarvelHarnessHostWindow";

HWND hwndOf(void* handle) {
    return static_cast<HWND>(handle);
}

// Clicks do not activate the window: activation moves the display's
// keyboard focus, and Wine then resets the modifier keys to the display's
// state, which never saw the keys the harness sends.
LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Registered once per process; never unregistered, as a host keeps its class.
bool registerHostClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = hostWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = CreateSolidBrush(RGB((kHostWindowBackground >> 16) & 0xFF,
                                                         (kHostWindowBackground >> 8) & 0xFF,
                                                         kHostWindowBackground & 0xFF));
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered;
}

} // namespace

HostWindow::HostWindow(int clientWidth, int clientHeight, int screenX, int screenY)
    : width_(clientWidth), height_(clientHeight) {
    if (!registerHostClass()) {
        return;
    }
    // A borderless window shown without activation: Wine treats it as one no
    // window manager looks after, and on a virtual display without a window
    // manager it would otherwise wait two seconds for every managed window
    // it destroys. The editor sees an ordinary parent window either way.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    HWND window =
        CreateWindowExA(0, kClassName, "Tarvel harness", style, screenX, screenY, clientWidth,
                        clientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
    window_ = window;
}

HostWindow::~HostWindow() {
    destroy();
}

bool HostWindow::exists() const {
    return window_ != nullptr && IsWindow(hwndOf(window_));
}

void HostWindow::destroy() {
    if (exists()) {
        DestroyWindow(hwndOf(window_));
    }
    window_ = nullptr;
}

bool HostWindow::measureClient(int& width, int& height) const {
    RECT client{};
    if (!exists() || !GetClientRect(hwndOf(window_), &client)) {
        return false;
    }
    width = client.right - client.left;
    height = client.bottom - client.top;
    return true;
}

ScreenPoint HostWindow::toScreen(int x, int y) const {
    POINT point{x, y};
    if (exists()) {
        ClientToScreen(hwndOf(window_), &point);
    }
    return ScreenPoint{point.x, point.y};
}

RgbImage HostWindow::capture() const {
    if (!exists()) {
        return RgbImage{};
    }
    HWND window = hwndOf(window_);
    // A DC that does not leave out the child windows: the editor lives in one.
    HDC source = GetDCEx(window, nullptr, DCX_CACHE);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    RgbImage image;
    if (target != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, target);
        if (BitBlt(memory, 0, 0, width_, height_, source, 0, 0, SRCCOPY)) {
            GdiFlush();
            image = RgbImage(width_, height_);
            const auto* pixels = static_cast<const std::uint32_t*>(bits);
            for (int y = 0; y < height_; ++y) {
                for (int x = 0; x < width_; ++x) {
                    // A 32-bit DIB holds 0x00RRGGBB.
                    image.setPixel(x, y, pixels[y * width_ + x] & 0xFFFFFF);
                }
            }
        }
        SelectObject(memory, previous);
    }
    if (target != nullptr) {
        DeleteObject(target);
    }
    DeleteDC(memory);
    ReleaseDC(window, source);
    return image;
}
