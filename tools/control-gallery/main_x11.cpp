// control-gallery-x11: the gallery in a real X11 window, drawn by the X11
// backend, where every control that backend supports works.
//
//   control-gallery-x11 [--seconds N] [--screenshot file.bmp|file.png]
//                       [--menu-screenshot file.bmp|file.png] [--check]
//
// Without options the window stays until the program is ended. --screenshot
// writes the gallery as the X server holds it (a .png name writes PNG, any
// other a bitmap file); --menu-screenshot opens the pop-up menu and writes
// the screen around the gallery and the open menu; --check fails when a
// control drew nothing. Each ends the program once the window has been
// painted.
#include <algorithm>
#include <cstdio>
#include <string>

#include "gallery.h"
#include "gallery_resources.h"
#include "gui/controls/popup_menu.h"
#include "gui/frame.h"
#include "platform/software/pictures/picture_files.h"
#include "platform/system.h"
#include "platform/x11/x11.h"
#include "window_options.h"

namespace {

// How often the window's events are handled and the frame idles.
constexpr std::uint32_t kIdleMilliseconds = 20;
// Where the host's window, and with it the gallery, sits on the screen.
constexpr int kHostX = 20;
constexpr int kHostY = 20;

const char* menuScreenshot = nullptr;
bool menuScreenshotWritten = false;

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

bool save(const raster::Surface& shot, const std::string& path) {
    if (shot.width() == 0)
        return false;
    return endsWith(path, ".png") ? software::savePng(shot, path.c_str())
                                  : software::saveBmp(shot, path.c_str());
}

// While the menu is open (in its own loop): the screen around the gallery
// and the menu is written, then the menu closes.
bool shootOpenMenu(int left, int top, int right, int bottom) {
    const raster::Surface shot = x11::captureScreen(std::min(left, kHostX), std::min(top, kHostY),
                                                    std::max(right, kHostX + Gallery::kWidth),
                                                    std::max(bottom, kHostY + Gallery::kHeight));
    menuScreenshotWritten = save(shot, menuScreenshot);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const WindowOptions options = readWindowOptions(argc, argv);
    const int seconds = options.seconds;
    const char* screenshot = options.screenshot;
    const bool check = options.check;
    menuScreenshot = options.menuScreenshot;
    if (!loadGalleryPictures(TARVEL_GALLERY_RC))
        return 1;
    platform::Window host =
        x11::createHostWindow(kHostX, kHostY, Gallery::kWidth, Gallery::kHeight);
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
            if (screenshot && !save(x11::captureWindow(frame->getWindow()), screenshot)) {
                std::fprintf(stderr, "control-gallery-x11: cannot write %s\n", screenshot);
                result = 1;
            }
            if (menuScreenshot) {
                // The menu opens as on a click and waits in its own loop.
                x11::watchOpenMenus(shootOpenMenu);
                gallery.getMenu()->takeFocus(nullptr);
                x11::watchOpenMenus(nullptr);
                if (!menuScreenshotWritten) {
                    std::fprintf(stderr, "control-gallery-x11: cannot write %s\n", menuScreenshot);
                    result = 1;
                }
            }
            if (seconds != 0)
                runFor(frame,
                       seconds < 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(seconds) * 1000u);
        }
    }
    x11::destroyHostWindow(host);
    return result;
}
