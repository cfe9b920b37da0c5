// Tarvel.clap's editor in a Win32 host window, as a Windows host opens it:
// gui.create, set_parent with the window's handle, the host's message loop
// and nothing else (no idle calls, no host timers). Its picture is held to
// the VST 2.x editor's panel pictures, its cycles to the process's resource
// counts, and its redraws of host changes to the frame's own timer.
//   clap_gui_tests [gtest options] PATH\TARVEL.dll PICTURE_FOLDER
// Tarvel.clap sits beside the program as clap-under-test.clap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../panel_pictures.h"
#include "../resource_counts.h"
#include "clap_test_host.h"
#include "harness/host_window.h"
#include "harness/message_pump.h"
#include "pictures/png_file.h"

namespace {

std::string vstLibrary;
std::string pictureFolder;

clap_test::ClapLibrary& library() {
    static clap_test::ClapLibrary* loaded = new clap_test::ClapLibrary(TARVEL_CLAP_PATH);
    return *loaded;
}

// The editor's window class, which exists only while one of its editors is open.
bool editorClassRegistered() {
    return ::editorClassRegistered(GetModuleHandleA(TARVEL_CLAP_PATH));
}

int childWindows(const HostWindow& window) {
    int count = 0;
    for (HWND child = GetWindow(static_cast<HWND>(window.handle()), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

// One instance, processing, with its gui extension.
class ClapGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(library().entry, nullptr) << library().error;
        ASSERT_NE(instance.plugin, nullptr);
        ASSERT_TRUE(instance.start());
        gui = instance.extension<clap::PluginGui>(clap::kExtGui);
        ASSERT_NE(gui, nullptr);
        pictures = loadPanelPictures(vstLibrary);
        ASSERT_TRUE(pictures.loaded()) << vstLibrary;
    }

    // create, set_parent in the host's window and show; the host's loop runs
    // `milliseconds` with no idle of its own.
    bool open(HostWindow& window, unsigned milliseconds) {
        clap::Window parent{};
        parent.api = clap::kWindowApiWin32;
        parent.win32 = window.handle();
        if (!gui->create(plugin(), clap::kWindowApiWin32, false)) {
            return false;
        }
        if (!gui->setParent(plugin(), &parent) || !gui->show(plugin())) {
            gui->destroy(plugin());
            return false;
        }
        pumpMessages(milliseconds, nullptr);
        return true;
    }

    // One block carrying a host change of parameter `id`.
    void change(clap::Id id, double value) {
        std::vector<float> silence(64, 0.0f);
        std::vector<float> left(64);
        std::vector<float> right(64);
        clap_test::OutputList out;
        ASSERT_EQ(instance.run(silence.data(), left.data(), right.data(), 64,
                               {clap_test::paramEvent(0, id, value)}, out),
                  clap::kProcessContinue);
    }

    const clap::Plugin* plugin() const { return instance.plugin; }

    clap_test::TestHost host;
    clap_test::Instance instance{library(), host};
    const clap::PluginGui* gui = nullptr;
    PanelPictures pictures;
};

TEST_F(ClapGuiTest, AnswersForAnEmbeddedWin32WindowOfItsOneSize) {
    EXPECT_TRUE(gui->isApiSupported(plugin(), clap::kWindowApiWin32, false));
    EXPECT_FALSE(gui->isApiSupported(plugin(), clap::kWindowApiWin32, true));
    EXPECT_FALSE(gui->isApiSupported(plugin(), clap::kWindowApiX11, false));
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->getPreferredApi(plugin(), &api, &floating));
    EXPECT_STREQ(api, clap::kWindowApiWin32);
    EXPECT_FALSE(floating);
    EXPECT_FALSE(gui->create(plugin(), clap::kWindowApiX11, false));
    // No host extension is needed on Windows: this host offers none.
    ASSERT_TRUE(gui->create(plugin(), clap::kWindowApiWin32, false));
    EXPECT_FALSE(gui->create(plugin(), clap::kWindowApiWin32, false)) << "one editor at a time";
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ASSERT_TRUE(gui->getSize(plugin(), &width, &height));
    EXPECT_EQ(width, 268u);
    EXPECT_EQ(height, 107u);
    EXPECT_FALSE(gui->canResize(plugin()));
    EXPECT_FALSE(gui->setSize(plugin(), 300, 200));
    // The host's scale sizes it, nonsense aside.
    EXPECT_TRUE(gui->setScale(plugin(), 1.5));
    EXPECT_FALSE(gui->setScale(plugin(), 0.0));
    ASSERT_TRUE(gui->getSize(plugin(), &width, &height));
    EXPECT_EQ(width, 402u);
    EXPECT_EQ(height, 161u);
    // A window of another api, or none, is refused.
    clap::Window wrong{};
    wrong.api = clap::kWindowApiX11;
    wrong.x11 = 1;
    EXPECT_FALSE(gui->setParent(plugin(), &wrong));
    clap::Window none{};
    none.api = clap::kWindowApiWin32;
    EXPECT_FALSE(gui->setParent(plugin(), &none));
    gui->destroy(plugin());
    EXPECT_FALSE(editorClassRegistered());
}

// The panel in the host's window is the VST 2.x editor's: the background
// picture everywhere outside the sliders, the handles where the values put
// them. The picture is kept for the native side's comparison with the VST
// editor's own screenshot.
TEST_F(ClapGuiTest, ShowsTheVstEditorsPanelInTheHostsWindow) {
    HostWindow window(268, 107, 100, 100);
    ASSERT_NE(window.handle(), nullptr);
    ASSERT_TRUE(open(window, 200));
    EXPECT_EQ(childWindows(window), 1) << "the panel sits in the host's window";
    const RgbImage shot = window.capture();
    ASSERT_EQ(shot.width(), 268);
    ASSERT_EQ(shot.height(), 107);
    EXPECT_TRUE(pictures::writePng(shot, pictureFolder + "\\clap_default.png"));
    EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0);
    EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), handleLeftEdgeFor(1.0f));
    EXPECT_EQ(handleLeftEdge(shot, pictures, kLowerSliderTop), handleLeftEdgeFor(1.0f));
    EXPECT_TRUE(gui->hide(plugin()));
    gui->destroy(plugin());
    EXPECT_EQ(childWindows(window), 0);
}

// The host changes a parameter while it runs only its message loop: the
// frame's own timer moves the handle, and a destroyed editor's timer is gone
// with it (the loop keeps running without it).
TEST_F(ClapGuiTest, FollowsHostChangesOnTheFramesOwnTimer) {
    HostWindow window(268, 107, 100, 100);
    ASSERT_NE(window.handle(), nullptr);
    ASSERT_TRUE(open(window, 200));
    change(1, 0.25);
    pumpMessages(200, nullptr);
    RgbImage shot = window.capture();
    EXPECT_EQ(handleLeftEdge(shot, pictures, kLowerSliderTop), handleLeftEdgeFor(0.25f));
    EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), handleLeftEdgeFor(1.0f));
    change(0, 0.75);
    pumpMessages(200, nullptr);
    shot = window.capture();
    EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), handleLeftEdgeFor(0.75f));
    EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0);
    gui->destroy(plugin());
    pumpMessages(100, nullptr);
    EXPECT_EQ(childWindows(window), 0);
}

// Fifty host cycles of create, set_parent, show, the loop, destroy: no
// window, GDI or USER object or handle is left behind, nor the window class.
TEST_F(ClapGuiTest, OpensAndClosesFiftyTimesLeavingNothingBehind) {
    HostWindow window(268, 107, 100, 100);
    ASSERT_NE(window.handle(), nullptr);
    // The first cycles, with a screenshot each, fill the window system's
    // caches (device contexts and their regions), which then stay.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(open(window, 100));
        EXPECT_FALSE(window.capture().empty());
        gui->destroy(plugin());
    }
    const ResourceCounts before = countResources();
    ASSERT_GE(before.gdiObjects, 0);
    ASSERT_GE(before.kernelHandles, 0);
    ASSERT_TRUE(open(window, 100));
    const ResourceCounts open_ = countResources();
    EXPECT_GE(open_.userObjects, before.userObjects + 1) << open_.describe();
    EXPECT_GT(open_.gdiObjects, before.gdiObjects) << open_.describe();
    gui->destroy(plugin());
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(open(window, 60)) << "cycle " << i;
        EXPECT_EQ(childWindows(window), 1) << "cycle " << i;
        if (i % 10 == 0) {
            const RgbImage shot = window.capture();
            EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0) << "cycle " << i;
        }
        gui->destroy(plugin());
        EXPECT_EQ(childWindows(window), 0) << "cycle " << i;
    }
    EXPECT_FALSE(editorClassRegistered());
    const ResourceCounts after = countResources();
    EXPECT_EQ(after, before) << "before: " << before.describe() << "\nafter:  " << after.describe();
}

// A host that destroys its window under the open editor, then the editor;
// and one that lets its window go with the editor open, then the instance.
TEST_F(ClapGuiTest, SurvivesTheHostsWindowGoingFirst) {
    {
        HostWindow window(268, 107, 100, 100);
        ASSERT_TRUE(open(window, 100));
        window.destroy();
        pumpMessages(100, nullptr);
        gui->destroy(plugin());
    }
    HostWindow window(268, 107, 100, 100);
    ASSERT_TRUE(open(window, 100));
    change(0, 0.5);
    pumpMessages(100, nullptr);
    EXPECT_EQ(handleLeftEdge(window.capture(), pictures, kUpperSliderTop), handleLeftEdgeFor(0.5f));
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: clap_gui_tests [gtest options] PATH\\TARVEL.dll PICTURE_FOLDER\n");
        return 2;
    }
    vstLibrary = argv[1];
    pictureFolder = argv[2];
    return RUN_ALL_TESTS();
}
