// control-gallery-x11: the gallery in a real X11 window, drawn by the X11
// backend, where every control that backend supports works.
//
//   control-gallery-x11 [--seconds N] [--screenshot file.bmp|file.png] [--check]
//
// Without options the window stays until the program is ended. --screenshot
// writes the gallery as the X server holds it (a .png name writes PNG, any
// other a bitmap file); --check fails when a control drew nothing. Either
// ends the program once the window has been painted.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gallery.h"
#include "gallery_resources.h"
#include "gui/frame.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/x11/x11.h"

namespace {

// How often the window's events are handled and the frame idles.
constexpr std::uint32_t kIdleMilliseconds = 20;

void runFor(Frame* frame, std::uint32_t milliseconds) {
    const std::uint32_t start = platform::tickCount();
    do {
        x11::processEvents();
        frame->idle();
        platform::sleep(kIdleMilliseconds);
    } while (platform::tickCount() - start < milliseconds);
}

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool saveScreenshot(platform::Window window, const std::string& path) {
    const raster::Surface shot = x11::captureWindow(window);
    if (shot.width() == 0)
        return false;
    return endsWith(path, ".png") ? headless::savePng(shot, path.c_str())
                                  : headless::saveBmp(shot, path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    int seconds = -1;
    const char* screenshot = nullptr;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--check") == 0)
            check = true;
    }
    if (seconds < 0 && (screenshot || check))
        seconds = 0;
    if (!loadGalleryPictures(TARVEL_GALLERY_RC))
        return 1;
    platform::Window host = x11::createHostWindow(20, 20, Gallery::kWidth, Gallery::kHeight);
    if (!host) {
        std::fprintf(stderr, "control-gallery-x11: no display\n");
        return 1;
    }
    int result = 0;
    {
        Gallery gallery(host);
        Frame* frame = gallery.getFrame();
        if (!frame->getWindow()) {
            std::fprintf(stderr, "control-gallery-x11: no window\n");
            result = 1;
        } else {
            // Long enough for the server to map the window and expose it.
            runFor(frame, 500);
            if (check)
                for (const std::string& name : gallery.undrawnControls()) {
                    std::fprintf(stderr, "control-gallery-x11: %s drew nothing\n", name.c_str());
                    result = 1;
                }
            if (screenshot && !saveScreenshot(frame->getWindow(), screenshot)) {
                std::fprintf(stderr, "control-gallery-x11: cannot write %s\n", screenshot);
                result = 1;
            }
            if (seconds != 0)
                runFor(frame,
                       seconds < 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(seconds) * 1000u);
        }
    }
    x11::destroyHostWindow(host);
    return result;
}
