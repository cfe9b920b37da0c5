// libtarvel-vst.so's editor in a child window of a host's X11 window, driven
// by real pointer input through the X server, in what only this way of
// reaching the editor is put through: a press held while a quick click's
// events are still waiting, a real drag while the host's own loop runs (its
// timer firing and the server read back after every turn), and a host
// window larger than the editor, resized and moved. (Presses, clicks,
// drags, modifiers, the wheel and the keys are the shared editor scenarios:
// library_editor_driver.cpp.)
#include <chrono>
#include <string>
#include <vector>

#include "effect/tarvel_effect.h"
#include "library_fixture.h"
#include "panel_watch.h"
#include "platform/software/pictures/picture_files.h"
#include "real_input.h"

namespace {

using namespace panel_watch;
using panel_layout::valueForPress;
using Clock = std::chrono::steady_clock;

constexpr int kUpperY = kUpperTop + kHandleSize / 2;
constexpr int kLowerY = kLowerTop + kHandleSize / 2;
// The host's own timer: its transport display and automation recording
// run on it, in the host's loop.
constexpr auto kHostTimer = std::chrono::milliseconds(10);
// The pauses keep each state long enough for the drag loop to poll it.
const std::string kPause = "0.2";

class X11EditorTest : public LibraryEditorTest {
protected:
    void SetUp() override {
        LibraryEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
        // The window is mapped, exposed and painted before any input.
        ASSERT_TRUE(playInput({"mousemove", std::to_string(kScreenX + 300),
                               std::to_string(kScreenY + 250), "sleep", "0.2"},
                              [this] { pump(); }));
        pluginHost.clearCalls();
    }
    void TearDown() override {
        if (effect)
            dispatch(effEditClose);
        LibraryEditorTest::TearDown();
    }

    // The host's idle time is all the editor gets: its window's events are
    // handled there.
    void pump() { dispatch(effEditIdle); }
    // xdotool's words for a screen position given in the editor's window.
    static std::vector<std::string> at(int x, int y) {
        return {std::to_string(kScreenX + x), std::to_string(kScreenY + y)};
    }
    raster::Surface shot() const { return x11::captureWindow(host); }
    // The edit brackets and automated changes the host heard, in order.
    std::vector<HostCall> requests() {
        std::vector<HostCall> seen;
        for (const HostCall& call : pluginHost.calls())
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
                call.opcode == audioMasterEndEdit)
                seen.push_back(call);
        return seen;
    }
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

// The drags watched from the host's loop; their pictures go to
// TARVEL_DRAG_SHOT_DIR.
using X11EditorDragTest = X11EditorTest;

// A quick click, then a press held on the other slider before the editor
// handles either: the click's edit ends at its release, and the held press
// drags the other slider alone.
TEST_F(X11EditorTest, AQuickClickEndsAtItsReleaseWhileTheNextPressIsHeld) {
    const std::vector<std::string> upper = at(132, kUpperY);
    const std::vector<std::string> lower = at(60, kLowerY);
    const std::vector<std::string> dragged = at(100, kLowerY);
    ASSERT_TRUE(
        playInputBeforeHandling({"mousemove", upper[0], upper[1], "mousedown", "1", "mouseup", "1",
                                 "mousemove", lower[0], lower[1], "mousedown", "1"},
                                [this] { pump(); },
                                {"sleep", kPause, "mousemove", "--sync", dragged[0], dragged[1],
                                 "sleep", kPause, "mouseup", "1"}));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), valueForPress(132));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), valueForPress(100));
    const std::vector<HostCall> seen = requests();
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(seen[2].index, TarvelEffect::kNcvolume);
    for (std::size_t i = 3; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].index, TarvelEffect::kIpvolume);
}

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
    auto x = [](int panelX) { return at(panelX, 0)[0]; };
    ASSERT_TRUE(playInput(
        {"mousemove", x(200),      y,        "sleep",   "0.2", "mousedown", "1",      "sleep",
         "0.3",       "mousemove", "--sync", x(160),    y,     "sleep",     "0.3",    "mousemove",
         "--sync",    x(120),      y,        "sleep",   "0.3", "mousemove", "--sync", x(80),
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
    EXPECT_EQ(automated, (std::vector<float>{valueForPress(200), valueForPress(160),
                                             valueForPress(120), valueForPress(80)}));
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
