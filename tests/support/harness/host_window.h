// A host's top-level window for a plug-in editor (Windows only): its client
// area is exactly the editor's size, and the harness can read back what is
// shown in it. The window clips its children, as hosts' windows do, and has
// its own background colour so that unpainted areas show in screenshots.
#pragma once

#include "harness/rgb_image.h"

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class HostWindow {
public:
    // A visible window with its client area's top-left corner at (screenX, screenY).
    HostWindow(int clientWidth, int clientHeight, int screenX, int screenY);
    ~HostWindow(); // destroys the window when it still exists
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The window handle (HWND), null when creation failed or after destroy().
    void* handle() const { return window_; }
    bool exists() const;
    void destroy();

    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }
    // The size of the client area as the window system reports it now.
    bool measureClient(int& width, int& height) const;
    // A point of the client area in screen coordinates.
    ScreenPoint toScreen(int x, int y) const;

    // The client area's pixels as they are on the window now, child windows
    // included; empty when the window is gone.
    RgbImage capture() const;

private:
    void* window_ = nullptr;
    int width_;
    int height_;
};

// The background colour of host windows, 0xRRGGBB.
constexpr unsigned kHostWindowBackground = 0xFF00FF;
