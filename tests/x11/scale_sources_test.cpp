// Where the Linux editor's scale comes from, on a private X server the test
// command starts: the display's scale is the server's Xft.dpi over 96 (as a
// desktop loads it with xrdb, and as it is changed later), libtarvel-vst.so's
// editor opens at it (its screenshot is written for CTest to compare with
// the headless render at that scale), and the zoom menu of the editor,
// chosen with real input, is saved to the user's preference file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "editor/settings_folder.h"
#include "gui/scale.h"
#include "library_fixture.h"
#include "platform/software/pictures/picture_files.h"
#include "platform/window.h"
#include "real_input.h"

// After GoogleTest, whose own names Xlib's macros would take.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The RESOURCE_MANAGER property of the server's root, as xrdb writes it;
// put back as it was when the test ends.
class ServerResources {
public:
    ServerResources() : display(XOpenDisplay(nullptr)) {
        if (!display)
            return;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0, 1 << 18,
                               False, XA_STRING, &type, &format, &count, &remaining,
                               &data) == Success &&
            data) {
            had = true;
            saved.assign(reinterpret_cast<const char*>(data), count);
        }
        if (data)
            XFree(data);
    }
    ~ServerResources() {
        if (!display)
            return;
        if (had)
            set(saved);
        else
            remove();
        XCloseDisplay(display);
    }
    ServerResources(const ServerResources&) = delete;
    ServerResources& operator=(const ServerResources&) = delete;

    void set(const std::string& text) {
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        XSync(display, False);
    }
    void remove() {
        XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
        XSync(display, False);
    }

    Display* display;

private:
    bool had = false;
    std::string saved;
};

double expectedScale() {
    const char* text = std::getenv("TARVEL_EXPECTED_DISPLAY_SCALE");
    return text ? std::atof(text) : 1.0;
}

TEST(X11DisplayScale, IsTheXftDpiTheServerWasGivenOver96) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    XCloseDisplay(display);
    EXPECT_EQ(platform::displayScale(nullptr), expectedScale());
}

TEST(X11DisplayScale, FollowsTheResourcesAsTheyAreNowAndIgnoresWhatIsNoDpi) {
    ServerResources resources;
    ASSERT_NE(resources.display, nullptr) << "no X display";
    // Asked on a connection of its own, then on the backend's connection,
    // made before the resources change.
    platform::Window host = nullptr;
    for (int round = 0; round < 2; ++round) {
        struct Case {
            const char* resources;
            double scale;
        };
        const Case cases[] = {
            {"Xft.dpi:\t144\n", 1.5},
            {"Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 2.0},
            {"Xft.dpi: 120.0\n", 1.25},
            {"  Xft.dpi  :  288  \n", 3.0},
            {"Xft.dpi:\t96\nXft.dpi:\t144\n", 1.5}, // the last one counts
            {"Xft.dpi:\t144,5\n", 1.0},             // no number in any locale
            {"Xft.dpi:\tlots\n", 1.0},
            {"Xft.dpi:\t99999\n", 1.0},
            {"Xft.dpi:\t0\n", 1.0},
            {"Xft.dpi:\t-192\n", 1.0},
            {"*dpi:\t192\n", 1.0},
            {"Xft.dpix:\t192\n", 1.0},
            {"Xft.dpi\t192\n", 1.0},
            {"", 1.0},
        };
        for (const Case& c : cases) {
            resources.set(c.resources);
            EXPECT_EQ(platform::displayScale(host), c.scale) << c.resources << " round " << round;
        }
        resources.remove();
        EXPECT_EQ(platform::displayScale(host), 1.0);
        if (!host)
            host = x11::createHostWindow(0, 0, 50, 50);
        ASSERT_NE(host, nullptr);
    }
    x11::destroyHostWindow(host);
}

class X11DisplayScaleEditor : public LibraryEditorTest {
protected:
    SettingsFolder folder; // the user's zoom stays out of it
};

// The host reads the rectangle, makes its window that size and opens the
// editor in it, at 0.75 and 0.25 as the stored pictures are.
TEST_F(X11DisplayScaleEditor, TheLibrarysEditorOpensAndDrawsAtTheDisplaysScale) {
    const double s = expectedScale();
    pluginHost.setParameter(0, 0.75f);
    pluginHost.setParameter(1, 0.25f);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, &rect), 1);
    ASSERT_NE(rect, nullptr);
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    EXPECT_EQ(width, scale::toDevice(268, s));
    EXPECT_EQ(height, scale::toDevice(107, s));
    x11::placeHostWindow(host, kScreenX, kScreenY, width, height);
    ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
    for (int i = 0; i < 25; ++i) {
        dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    x11::syncHost();
    const raster::Surface shot = x11::captureWindow(host);
    ASSERT_EQ(shot.width(), width);
    ASSERT_EQ(shot.height(), height);
    if (const char* shots = std::getenv("TARVEL_SHOT_DIR")) {
        const std::string path = std::string(shots) + "/library_editor_" +
                                 std::to_string(static_cast<int>(s * 100)) + ".png";
        EXPECT_TRUE(software::savePng(shot, path.c_str())) << path;
    }
    dispatch(effEditClose);
}

class X11ZoomMenuTest : public LibraryEditorTest {
protected:
    void pump() { dispatch(effEditIdle); }
    SettingsFolder folder;
};

// Right click on the panel beside the sliders, four entries down, Enter.
TEST_F(X11ZoomMenuTest, ChoosingAZoomWithRealInputSavesIt) {
    ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
    const std::string x = std::to_string(kScreenX + 130);
    const std::string y = std::to_string(kScreenY + 20);
    ASSERT_TRUE(playInput({"mousemove", x,     y,        "sleep", "0.3", "click", "3",    "sleep",
                           "0.4",       "key", "Down",   "sleep", "0.1", "key",   "Down", "sleep",
                           "0.1",       "key", "Down",   "sleep", "0.1", "key",   "Down", "sleep",
                           "0.1",       "key", "Return", "sleep", "0.3"},
                          [this] { pump(); }));
    EXPECT_EQ(folder.preferenceText(), "zoom 2\nfollow-display yes\n");
    dispatch(effEditClose);
}

} // namespace
