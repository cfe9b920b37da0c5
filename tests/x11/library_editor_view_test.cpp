// What libtarvel-vst.so's editor shows in a host's X11 window, read back from
// the server: the panel at the values it opens with, and how a change from
// MIDI or from the host reaches the screen. The screenshots go to
// TARVEL_SHOT_DIR, where CTest compares each with the headless rendering of
// the same values.
#include <chrono>
#include <string>
#include <thread>

#include "effect/tarvel_effect.h"
#include "harness/stereo_buffer.h"
#include "library_fixture.h"
#include "panel_watch.h"
#include "platform/software/pictures/picture_files.h"

namespace {

// MIDI controller 1's value that sets the replay gain to 0.
constexpr int kControllerLow = 0;

class LibraryEditorViewTest : public LibraryEditorTest {
protected:
    void open() {
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
        // Long enough for the server to map and expose the window, and for
        // the editor to paint it in its idle time.
        for (int i = 0; i < 25; ++i) {
            dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    void idle() {
        dispatch(effEditIdle);
        x11::syncHost();
    }
    // The editor's rectangle of the host window, as the server holds it.
    raster::Surface screenshot() const { return panel_watch::panelOf(x11::captureWindow(host)); }
    static void save(const raster::Surface& shot, const std::string& name) {
        ASSERT_EQ(shot.width(), panel_watch::kPanelWidth);
        const std::string path = std::string(TARVEL_SHOT_DIR) + "/" + name + ".png";
        EXPECT_TRUE(software::savePng(shot, path.c_str())) << path;
    }
    // One block of silence with controller 1 at its first frame.
    void processController(int value) {
        StereoBuffer input(64);
        StereoBuffer output(64);
        pluginHost.processBlock({controller1(0, value)}, input, output, ProcessMode::replacing);
    }
};

TEST_F(LibraryEditorViewTest, ShowsThePanelAtTheDefaultValues) {
    open();
    EXPECT_EQ(x11::serverChildCount(host), 1);
    save(screenshot(), "default");
    dispatch(effEditClose);
}

TEST_F(LibraryEditorViewTest, ShowsTheHandlesWhereTheValuesPutThem) {
    pluginHost.setParameter(TarvelEffect::kNcvolume, 0.75f);
    pluginHost.setParameter(TarvelEffect::kIpvolume, 0.25f);
    open();
    save(screenshot(), "0.75_0.25");
    dispatch(effEditClose);
}

// The audio thread's change waits for the host's next idle call to be drawn.
TEST_F(LibraryEditorViewTest, MidiControllerOneMovesTheUpperHandleAtTheNextIdle) {
    open();
    const raster::Surface before = screenshot();
    processController(kControllerLow);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 0.0f);
    EXPECT_TRUE(screenshot().samePixels(before));
    idle();
    const raster::Surface after = screenshot();
    EXPECT_FALSE(after.samePixels(before));
    save(after, "0_1");
    dispatch(effEditClose);
}

TEST_F(LibraryEditorViewTest, HostParameterChangeMovesTheLowerHandle) {
    open();
    pluginHost.setParameter(TarvelEffect::kIpvolume, 0.5f);
    idle();
    save(screenshot(), "1_0.5");
    dispatch(effEditClose);
}

} // namespace
