// control-gallery in a real window: every control of the toolkit, live.
//
//   control-gallery.exe [--seconds N] [--screenshot file.bmp]
//                       [--menu-screenshot file.bmp] [--check]
//
// Without options the window stays until it is closed. --screenshot writes
// the gallery as painted in the window; --menu-screenshot opens the pop-up
// menu and writes the screen around the window and the open menu; --check
// fails when a control drew nothing. With any of them the program ends
// after N seconds (0 by default).
#include <windows.h>

#include <cstdio>
#include <string>

#include "gallery.h"
#include "gui/controls/popup_menu.h"
#include "gui/frame.h"
#include "platform/system.h"
#include "window_options.h"

namespace {

Gallery* shownGallery = nullptr;
const char* menuScreenshot = nullptr;
bool menuScreenshotWritten = false;
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT_PTR kEndTimer = 2;
constexpr UINT_PTR kMenuTimer = 3;

bool saveScreenArea(HDC source, int x, int y, int width, int height, const char* path);

// While the menu is open (its modal loop runs the timers): the screen
// around the gallery and the menu is written, then the menu closes.
void shootOpenMenu(HWND host) {
    KillTimer(host, kMenuTimer);
    HWND menuWindow = FindWindowA("#32768", nullptr);
    RECT area{};
    GetWindowRect(host, &area);
    if (menuWindow) {
        RECT m{};
        GetWindowRect(menuWindow, &m);
        UnionRect(&area, &area, &m);
    }
    HDC screen = GetDC(nullptr);
    menuScreenshotWritten =
        menuWindow && saveScreenArea(screen, area.left, area.top, area.right - area.left,
                                     area.bottom - area.top, menuScreenshot);
    ReleaseDC(nullptr, screen);
    EndMenu();
}

LRESULT CALLBACK hostProcedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kIdleTimer && shownGallery)
            shownGallery->getFrame()->idle();
        else if (wParam == kMenuTimer)
            shootOpenMenu(w);
        else if (wParam == kEndTimer)
            DestroyWindow(w);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(w, message, wParam, lParam);
    }
}

void pumpFor(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    MSG message;
    while (GetTickCount() < until) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// Writes an area of a drawing target as a 24-bit bitmap file.
bool saveScreenArea(HDC source, int x, int y, int width, int height, const char* path) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // rows from the bottom up, as files keep them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (dib && bits) {
        HGDIOBJ previous = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageSize;
        info.bmiHeader.biSizeImage = imageSize;
        if (FILE* out = std::fopen(path, "wb")) {
            ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                 std::fwrite(bits, 1, imageSize, out) == imageSize;
            ok = std::fclose(out) == 0 && ok;
        }
        SelectObject(memory, previous);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    return ok;
}

// Writes the window's client area.
bool saveScreenshot(HWND w, const char* path) {
    RECT client{};
    GetClientRect(w, &client);
    HDC dc = GetDC(w);
    const bool ok = saveScreenArea(dc, 0, 0, client.right, client.bottom, path);
    ReleaseDC(w, dc);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    platform::setModuleHandle(reinterpret_cast<platform::Module>(GetModuleHandleA(nullptr)));
    const WindowOptions options = readWindowOptions(argc, argv);
    const int seconds = options.seconds;
    const char* screenshot = options.screenshot;
    const bool check = options.check;
    menuScreenshot = options.menuScreenshot;

    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = hostProcedure;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    hostClass.lpszClassName = "TarvelControlGallery";
    RegisterClassA(&hostClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, Gallery::kWidth, Gallery::kHeight};
    AdjustWindowRect(&outer, style, FALSE);
    HWND host = CreateWindowExA(0, "TarvelControlGallery", "Tarvel control gallery", style, 20, 20,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!host) {
        std::fprintf(stderr, "control-gallery: no window\n");
        return 1;
    }
    int result = 0;
    {
        Gallery gallery(reinterpret_cast<platform::Window>(host));
        shownGallery = &gallery;
        ShowWindow(host, SW_SHOW);
        UpdateWindow(host);
        pumpFor(500);
        HWND frameWindow = reinterpret_cast<HWND>(gallery.getFrame()->getWindow());
        if (check)
            for (const std::string& name : gallery.undrawnControls()) {
                std::fprintf(stderr, "control-gallery: %s drew nothing\n", name.c_str());
                result = 1;
            }
        if (screenshot && !saveScreenshot(frameWindow, screenshot)) {
            std::fprintf(stderr, "control-gallery: cannot write %s\n", screenshot);
            result = 1;
        }
        if (menuScreenshot) {
            // The menu opens as on a click and waits in its own loop.
            SetTimer(host, kMenuTimer, 600, nullptr);
            gallery.getMenu()->takeFocus(nullptr);
            if (!menuScreenshotWritten) {
                std::fprintf(stderr, "control-gallery: cannot write %s\n", menuScreenshot);
                result = 1;
            }
        }
        SetTimer(host, kIdleTimer, 50, nullptr);
        if (seconds >= 0)
            SetTimer(host, kEndTimer, static_cast<UINT>(seconds) * 1000u + 1u, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        shownGallery = nullptr;
    }
    return result;
}
