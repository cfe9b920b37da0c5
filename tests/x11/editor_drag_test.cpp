// libtarvel-vst.so's editor as a host's user drags it: a real drag through
// the X server (press, moves, release) while the host's own loop runs, its
// timer firing and the server read back after every turn; and a host window
// larger than the editor, resized and moved.
#include <chrono>
#include <string>
#include <vector>

#include "effect/TarvelEffect.h"
#include "library_fixture.h"
#include "panel_watch.h"
#include "platform/software/pictures/picture_files.h"
#include "real_input.h"

namespace {

using namespace panel_watch;
using Clock = std::chrono::steady_clock;

constexpr int kLowerY = kLowerTop + kHandleSize / 2;
// The host's own timer: its transport display and automation recording
// run on it, in the host's loop.
constexpr auto kHostTimer = std::chrono::milliseconds(10);

float valueUnderPointer(int x) {
    return static_cast<float>(x - 17) / 231.0f;
}

class X11EditorDragTest : public LibraryEditorTest {
protected:
    void SetUp() override {
        LibraryEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
        ASSERT_TRUE(playInput({"mousemove", std::to_string(kScreenX + 300),
                               std::to_string(kScreenY + 250), "sleep", "0.2"},
                              [this] { dispatch(effEditIdle); }));
        pluginHost.clearCalls();
    }
    void TearDown() override {
        if (effect)
            dispatch(effEditClose);
        LibraryEditorTest::TearDown();
    }
    raster::Surface shot() const { return x11::captureWindow(host); }
    static std::string at(int x) { return std::to_string(kScreenX + x); }
    // Between the drag's begin and end edit, as the host heard them.
    bool dragOpen() const {
        bool open = false;
        for (const HostCall& call : pluginHost.calls()) {
            if (call.opcode == audioMasterBeginEdit)
                open = true;
            else if (call.opcode == audioMasterEndEdit)
                open = false;
        }
        return open;
    }
};

// Pressed at x 200 on the lower slider and moved to 160, 120 and 80 before
// the release: the host's loop keeps turning through the drag, and between
// the moves the screen shows the handle under the pointer at each.
TEST_F(X11EditorDragTest, TheHandleFollowsThePointerWhileTheHostLoopRuns) {
    const std::vector<raster::Pixel> signature = columnAt(shot(), 249, kLowerTop);
    ASSERT_EQ(handleMiddle(shot(), signature, kLowerTop), 249) << "the handle at 1, before";

    std::vector<int> seen; // the handle's middle, at each change during the drag
    int timerTicks = 0;    // the host's timer, fired while the drag is open
    Clock::time_point lastTick = Clock::now();
    const std::string y = std::to_string(kScreenY + kLowerY);
    ASSERT_TRUE(playInput(
        {"mousemove", at(200),     y,        "sleep",   "0.2", "mousedown", "1",      "sleep",
         "0.3",       "mousemove", "--sync", at(160),   y,     "sleep",     "0.3",    "mousemove",
         "--sync",    at(120),     y,        "sleep",   "0.3", "mousemove", "--sync", at(80),
         y,           "sleep",     "0.3",    "mouseup", "1"},
        [&] {
            dispatch(effEditIdle);
            if (!dragOpen())
                return;
            if (Clock::now() - lastTick >= kHostTimer) {
                lastTick = Clock::now();
                ++timerTicks;
            }
            const raster::Surface now = shot();
            const int middle = handleMiddle(now, signature, kLowerTop);
            if (!seen.empty() && seen.back() == middle)
                return;
            seen.push_back(middle);
            const std::string path = std::string(TARVEL_DRAG_SHOT_DIR) + "/during-drag-" +
                                     std::to_string(seen.size()) + ".png";
            EXPECT_TRUE(software::savePng(panelOf(now), path.c_str())) << path;
        }));
    EXPECT_EQ(seen, (std::vector<int>{201, 161, 121, 81}));
    EXPECT_GE(timerTicks, 30) << "the host's loop stood still during the drag";

    std::vector<float> automated;
    for (const HostCall& call : automations()) {
        EXPECT_EQ(call.index, TarvelEffect::kIpvolume);
        automated.push_back(call.opt);
    }
    EXPECT_EQ(automated, (std::vector<float>{valueUnderPointer(200), valueUnderPointer(160),
                                             valueUnderPointer(120), valueUnderPointer(80)}));
    EXPECT_FALSE(dragOpen());
    EXPECT_EQ(handleMiddle(shot(), signature, kLowerTop), 81);
}

// The host's window is larger than the editor, then resized and moved: all
// of it shows the panel, and the white field beyond it, never what lay under.
TEST_F(X11EditorDragTest, AHostWindowLargerThanTheEditorShowsThePanelAndItsField) {
    const raster::Surface first = shot();
    ASSERT_EQ(first.width(), 400);
    EXPECT_EQ(nonWhiteBeyondThePanel(first), 0);
    const raster::Surface panel = panelOf(first);

    x11::placeHostWindow(host, kScreenX + 40, kScreenY + 30, 520, 330);
    for (int i = 0; i < 20; ++i)
        dispatch(effEditIdle);
    const raster::Surface moved = shot();
    ASSERT_EQ(moved.width(), 520);
    EXPECT_EQ(nonWhiteBeyondThePanel(moved), 0);
    EXPECT_TRUE(panelOf(moved).samePixels(panel));
    EXPECT_TRUE(
        software::savePng(moved, (std::string(TARVEL_DRAG_SHOT_DIR) + "/larger-host.png").c_str()));

    // Smaller than the editor: the editor keeps its size, cut by the host's window.
    x11::placeHostWindow(host, kScreenX, kScreenY, 200, 80);
    for (int i = 0; i < 20; ++i)
        dispatch(effEditIdle);
    x11::placeHostWindow(host, kScreenX, kScreenY, 400, 300);
    for (int i = 0; i < 20; ++i)
        dispatch(effEditIdle);
    EXPECT_EQ(nonWhiteBeyondThePanel(shot()), 0);
    EXPECT_TRUE(panelOf(shot()).samePixels(panel));
}

} // namespace
