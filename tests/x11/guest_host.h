// A Linux host as it holds libtarvel-vst.so, for the tests of how the
// plug-in behaves as a guest in the host's process: the host's own display
// connection and windows (plain Xlib, as a host's toolkit makes them), the
// library loaded with dlopen and an instance made through its entry point.
// Each test plays the host in a child process, whose exit is the host's
// fate: a guest that ends or crashes its host fails the test instead of
// taking the test program down.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace guest {

// A window's pixels as the server holds them: 0xBBGGRR, row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool operator==(const Picture& o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
};

// What a child's host part answers: 0 when all went as a host expects,
// kNoDisplay when there is nothing to test on, else the step that failed.
constexpr int kNoDisplay = 77;
int asHost(const std::function<int()>& host);

// The libraries the tests load: the build's, unless the command line names
// others (a VST library, then a panel library).
void setLibraryPaths(const std::string& vst, const std::string& panel);

// The host's connection (opened on construction) and its top-level windows.
class HostDisplay {
public:
    HostDisplay();
    ~HostDisplay();
    HostDisplay(const HostDisplay&) = delete;
    HostDisplay& operator=(const HostDisplay&) = delete;
    Display* display() const { return display_; }
    // A mapped top-level window at (x, y), placed without a window manager;
    // with a visual of depth 32 (an alpha channel) when asked and the
    // server has one, else the screen's default. 0 on failure.
    ::Window createWindow(int x, int y, int width, int height, bool alphaVisual = false,
                          long events = 0);
    // The one child the server lists for the window; 0 for none or several.
    ::Window onlyChild(::Window window);
    // The window's pixels as the server holds them (its visual's colours).
    Picture capture(::Window window);

private:
    Display* display_ = nullptr;
};

// A guest as the host holds it: the library loaded (and kept loaded) and a
// plug-in made through its entry; its editor opened in a window of the
// host's, given idle time and closed. Made for either library.
class Guest {
public:
    enum class Kind { VstLibrary, Lv2Panel };
    static std::unique_ptr<Guest> load(Kind kind);
    virtual ~Guest() = default;
    // Opens the editor in the window, its id passed as Linux hosts pass it;
    // true when the plug-in says it opened.
    virtual bool open(::Window parent) = 0;
    // The host's idle calls, a change of a value waiting to be drawn in each.
    virtual void idle(int times = 1) = 0;
    virtual void close() = 0;
};

// Pixels of the panel that are not black: a drawn panel lights nearly all.
int litPixels(const Picture& picture);

} // namespace guest
