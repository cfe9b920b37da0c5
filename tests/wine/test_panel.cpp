#include "test_panel.h"

namespace {

const char kPanelClass[] = "TarvelHarnessTestPanel";

void registerPanelClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA; // replaced per window below
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kPanelClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

bool keyDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

} // namespace

COLORREF TestPanel::expectedColor(int x, int y) {
    if (x >= 20 && x < 30 && y >= 20 && y < 30) {
        return RGB(0, 200, 0);
    }
    return x < kWidth / 2 ? RGB(220, 0, 0) : RGB(0, 0, 220);
}

TestPanel::TestPanel(HWND parent) {
    registerPanelClass();
    window_ = CreateWindowExA(0, kPanelClass, "panel", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight,
                              parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
        InvalidateRect(window_, nullptr, FALSE);
    }
}

TestPanel::~TestPanel() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK TestPanel::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* panel = reinterpret_cast<TestPanel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (panel != nullptr) {
        if (message == WM_PAINT) {
            panel->paint();
            return 0;
        }
        if (message == WM_LBUTTONDOWN) {
            panel->track(wParam, lParam);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TestPanel::paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            SetPixel(dc, x, y, expectedColor(x, y));
        }
    }
    EndPaint(window_, &paint);
    ++trace_.paints;
}

// The loop a slider runs: poll until the button is up, letting paints through.
void TestPanel::track(WPARAM keys, LPARAM position) {
    trace_.pressed = true;
    trace_.pressKeys = keys;
    trace_.pressAt =
        POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    while (keyDown(VK_LBUTTON)) {
        POINT pointer;
        GetCursorPos(&pointer);
        ScreenToClient(window_, &pointer);
        if (trace_.track.empty() || trace_.track.back().x != pointer.x ||
            trace_.track.back().y != pointer.y) {
            trace_.track.push_back(pointer);
        }
        trace_.sawShift = trace_.sawShift || keyDown(VK_SHIFT);
        trace_.sawControl = trace_.sawControl || keyDown(VK_CONTROL);
        MSG message;
        if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(4);
    }
    trace_.releasedInLoop = true;
}
