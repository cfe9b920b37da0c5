// libtarvel-vst.so's editor in a child window of a host's X11 window, driven
// by real pointer input through the X server: presses, quick clicks, drags,
// Shift and Ctrl held from the keyboard, the wheel and the arrow keys; what
// the host hears of them.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "effect/TarvelEffect.h"
#include "library_fixture.h"
#include "real_input.h"

namespace {

constexpr int kUpperY = 56; // the middle of the upper slider
constexpr int kLowerY = 87; // the middle of the lower slider

// A press with the handle jumping under the pointer: value = (x - 17) / 231.
float valueUnderPointer(int x) {
    return static_cast<float>(x - 17) / 231.0f;
}

class X11EditorTest : public LibraryEditorTest {
protected:
    void SetUp() override {
        LibraryEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
        // The window is mapped, exposed and painted before any input.
        ASSERT_TRUE(playInput({"mousemove", std::to_string(kScreenX + 300),
                               std::to_string(kScreenY + 200), "sleep", "0.2"},
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
    // The steps: a move to a point of the editor, then the rest. (A move
    // with --sync would wait for ever when the pointer is there already.)
    bool play(int x, int y, std::initializer_list<std::string> rest) {
        std::vector<std::string> steps{"mousemove"};
        for (const std::string& word : at(x, y))
            steps.push_back(word);
        steps.push_back("sleep");
        steps.push_back("0.1");
        steps.insert(steps.end(), rest);
        return playInput(steps, [this] { pump(); });
    }
    // The steps, every one of them over before the editor handles the first
    // event: a click between two idle calls, or a touchpad's tap.
    bool playBeforeIdle(std::initializer_list<std::string> steps,
                        std::initializer_list<std::string> then = {}) {
        return playInputBeforeHandling(
            steps, [this] { pump(); }, then);
    }
    // The edit brackets and automated changes the host heard, in order.
    std::vector<HostCall> requests() {
        std::vector<HostCall> seen;
        for (const HostCall& call : pluginHost.calls())
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
                call.opcode == audioMasterEndEdit)
                seen.push_back(call);
        return seen;
    }
};

// The pauses keep each state long enough for the drag loop to poll it.
const std::string kPause = "0.2";

TEST_F(X11EditorTest, PressAt132OnTheUpperSliderIsOneAutomatedEdit) {
    ASSERT_TRUE(play(132, kUpperY, {"mousedown", "1", "sleep", kPause, "mouseup", "1"}));
    const std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(seen[0].index, TarvelEffect::kNcvolume);
    EXPECT_EQ(seen[1].opcode, audioMasterAutomate);
    EXPECT_EQ(seen[1].index, TarvelEffect::kNcvolume);
    EXPECT_EQ(seen[1].opt, valueUnderPointer(132));
    EXPECT_EQ(seen[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), valueUnderPointer(132));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 1.0f);
}

// The pointer leaves the window while the button is held: the drag goes
// on, and stops at the slider's ends.
TEST_F(X11EditorTest, DragFollowsThePointerAndStopsAtTheEnds) {
    ASSERT_TRUE(play(200, kLowerY,
                     {"mousedown", "1", "sleep", kPause, "mousemove", "--sync", at(100, kLowerY)[0],
                      at(100, kLowerY)[1], "sleep", kPause, "mousemove", "--sync", "5",
                      at(0, kLowerY + 40)[1], "sleep", kPause, "mouseup", "1"}));
    const std::vector<HostCall> seen = requests();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(seen.back().opcode, audioMasterEndEdit);
    std::vector<float> values;
    for (const HostCall& call : seen) {
        EXPECT_EQ(call.index, TarvelEffect::kIpvolume);
        if (call.opcode == audioMasterAutomate)
            values.push_back(call.opt);
    }
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(values.front(), valueUnderPointer(200));
    EXPECT_NE(std::find(values.begin(), values.end(), valueUnderPointer(100)), values.end());
    EXPECT_EQ(values.back(), 0.0f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 0.0f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 1.0f);
}

// Each quick click is a press where it was made and a release at once:
// one automated edit at the value under the press, though the button is
// up (and the pointer elsewhere) by the time the editor handles it.
TEST_F(X11EditorTest, QuickClicksAreEachOneAutomatedEditAtTheirPress) {
    const std::vector<std::string> upper = at(132, kUpperY);
    const std::vector<std::string> lower = at(60, kLowerY);
    const std::vector<std::string> away = at(200, kUpperY);
    ASSERT_TRUE(playBeforeIdle({"mousemove", upper[0], upper[1], "mousedown", "1", "mouseup", "1",
                                "mousemove", lower[0], lower[1], "mousedown", "1", "mouseup", "1",
                                "mousemove", away[0], away[1]}));
    const std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 6u);
    for (int slider = 0; slider < 2; ++slider) {
        const HostCall* edit = &seen[static_cast<std::size_t>(slider) * 3];
        EXPECT_EQ(edit[0].opcode, audioMasterBeginEdit);
        EXPECT_EQ(edit[0].index, slider);
        EXPECT_EQ(edit[1].opcode, audioMasterAutomate);
        EXPECT_EQ(edit[1].index, slider);
        EXPECT_EQ(edit[2].opcode, audioMasterEndEdit);
    }
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), valueUnderPointer(132));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), valueUnderPointer(60));
}

// A quick click, then a press held on the other slider before the editor
// handles either: the click's edit ends at its release, and the held press
// drags the other slider alone.
TEST_F(X11EditorTest, AQuickClickEndsAtItsReleaseWhileTheNextPressIsHeld) {
    const std::vector<std::string> upper = at(132, kUpperY);
    const std::vector<std::string> lower = at(60, kLowerY);
    const std::vector<std::string> dragged = at(100, kLowerY);
    ASSERT_TRUE(playBeforeIdle({"mousemove", upper[0], upper[1], "mousedown", "1", "mouseup", "1",
                                "mousemove", lower[0], lower[1], "mousedown", "1"},
                               {"sleep", kPause, "mousemove", "--sync", dragged[0], dragged[1],
                                "sleep", kPause, "mouseup", "1"}));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), valueUnderPointer(132));
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), valueUnderPointer(100));
    const std::vector<HostCall> seen = requests();
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(seen[2].index, TarvelEffect::kNcvolume);
    for (std::size_t i = 3; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].index, TarvelEffect::kIpvolume);
}

TEST_F(X11EditorTest, ControlClickSetsTheDefaultValue) {
    ASSERT_TRUE(play(30, kLowerY,
                     {"keydown", "ctrl", "sleep", kPause, "mousedown", "1", "sleep", kPause,
                      "mouseup", "1", "sleep", kPause, "keyup", "ctrl"}));
    const std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 1u) << "no edit bracket";
    EXPECT_EQ(seen[0].opcode, audioMasterAutomate);
    EXPECT_EQ(seen[0].index, TarvelEffect::kIpvolume);
    EXPECT_EQ(seen[0].opt, 0.5f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 0.5f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 1.0f);

    // Quick, Ctrl and button up again before the editor looks: the press
    // event still says Ctrl was held.
    pluginHost.clearCalls();
    const std::vector<std::string> upper = at(60, kUpperY);
    ASSERT_TRUE(playBeforeIdle({"mousemove", upper[0], upper[1], "keydown", "ctrl", "mousedown",
                                "1", "mouseup", "1", "keyup", "ctrl"}));
    ASSERT_EQ(requests().size(), 1u) << "no edit bracket";
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 0.5f);
}

// With Shift held from the press the value moves a tenth of the way from
// where it was towards the pointer, and goes on moving finely in the drag.
TEST_F(X11EditorTest, ShiftDragMovesATenthOfTheWay) {
    ASSERT_TRUE(play(132, kUpperY,
                     {"keydown", "shift", "sleep", kPause, "mousedown", "1", "sleep", kPause,
                      "mouseup", "1", "sleep", kPause, "keyup", "shift"}));
    const float fine = 1.0f + (valueUnderPointer(132) - 1.0f) / 10.0f;
    std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(seen[1].opt, fine);
    EXPECT_FLOAT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), fine);

    // A fine drag of 100 pixels to the left moves a tenth as far as a plain one.
    pluginHost.clearCalls();
    const float before = pluginHost.getParameter(TarvelEffect::kNcvolume);
    ASSERT_TRUE(play(200, kUpperY,
                     {"keydown",
                      "shift",
                      "sleep",
                      kPause,
                      "mousedown",
                      "1",
                      "sleep",
                      kPause,
                      "mousemove",
                      "--sync",
                      at(100, kUpperY)[0],
                      at(100, kUpperY)[1],
                      "sleep",
                      kPause,
                      "mouseup",
                      "1",
                      "sleep",
                      kPause,
                      "keyup",
                      "shift"}));
    const float moved = before - pluginHost.getParameter(TarvelEffect::kNcvolume);
    EXPECT_GT(moved, 0.0f);
    EXPECT_LT(moved, 2.0f * 100.0f / 231.0f / 10.0f + 0.05f);
    seen = requests();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(seen.back().opcode, audioMasterEndEdit);
}

// Button 5 is one notch towards the user: one wheel step down over the
// slider under the pointer; button 4 steps back up.
TEST_F(X11EditorTest, WheelButtonsStepTheSliderUnderThePointer) {
    ASSERT_TRUE(play(132, kLowerY, {"click", "5"}));
    std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].opcode, audioMasterAutomate);
    EXPECT_EQ(seen[0].index, TarvelEffect::kIpvolume);
    EXPECT_EQ(seen[0].opt, 0.9f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 1.0f);

    pluginHost.clearCalls();
    ASSERT_TRUE(play(132, kUpperY, {"click", "5", "click", "5", "click", "4"}));
    seen = requests();
    ASSERT_EQ(seen.size(), 3u);
    for (const HostCall& call : seen)
        EXPECT_EQ(call.index, TarvelEffect::kNcvolume);
    EXPECT_FLOAT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 0.9f);
    EXPECT_FLOAT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 0.9f);
}

// After a click in the panel, keys go to its window while the pointer stays
// there; with no view focused the lower slider, added last, takes the
// arrows: a step each, a fine one with Shift. (The click, above the
// sliders, changes nothing.)
TEST_F(X11EditorTest, ArrowKeysStepTheLowerSlider) {
    ASSERT_TRUE(play(150, 20, {"click", "1", "sleep", "0.1", "key", "Down"}));
    EXPECT_FLOAT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 0.9f);
    std::vector<HostCall> seen = requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].opcode, audioMasterAutomate);
    EXPECT_EQ(seen[0].index, TarvelEffect::kIpvolume);

    ASSERT_TRUE(play(150, 20, {"key", "Left", "key", "Right", "key", "Right"}));
    EXPECT_FLOAT_EQ(pluginHost.getParameter(TarvelEffect::kIpvolume), 1.0f);

    ASSERT_TRUE(play(150, 20, {"key", "shift+Down"}));
    const float fine = pluginHost.getParameter(TarvelEffect::kIpvolume);
    EXPECT_LT(fine, 1.0f);
    EXPECT_GT(fine, 0.9f);
    EXPECT_EQ(pluginHost.getParameter(TarvelEffect::kNcvolume), 1.0f);
}

} // namespace
