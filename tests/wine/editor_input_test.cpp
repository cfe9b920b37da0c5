// Real mouse input on TARVEL.dll's editor: presses, drags and Ctrl-clicks
// through the window system, and what the host hears of them.
#include <windows.h>

#include "editor_fixture.h"
#include "host/vst_opcodes.h"

namespace {

constexpr int kUpperY = 56; // the middle of the upper slider
constexpr int kLowerY = 87; // the middle of the lower slider

// A press with the handle jumping under the pointer: value = (x - 17) / 231.
float valueUnderPointer(int x) {
    return static_cast<float>(x - 17) / 231.0f;
}

TEST_F(EditorTest, PressAt132OnTheUpperSliderIsOneAutomatedEdit) {
    InputScript script;
    script.click(at(132, kUpperY));
    const std::vector<HostCall> requests = playAndCollect(script);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests[0].index, 0);
    EXPECT_EQ(requests[1].opcode, audioMasterAutomate);
    EXPECT_EQ(requests[1].index, 0);
    EXPECT_EQ(requests[1].opt, 115.0f / 231.0f);
    EXPECT_EQ(requests[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(requests[2].index, 0);
    // The bracket opens and the value goes out while the button is down;
    // it closes after the release.
    EXPECT_EQ(buttonHeld, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(dll.host.getParameter(0), 115.0f / 231.0f);
    EXPECT_EQ(dll.host.getParameter(1), 1.0f);
    EXPECT_EQ(upperHandle(), handleLeftEdgeFor(115.0f / 231.0f));
    EXPECT_EQ(lowerHandle(), 242);
}

// One notch towards the user over the lower slider: one wheel step down,
// told to the host as an automated change.
TEST_F(EditorTest, WheelNotchOverTheLowerSliderIsOneAutomatedStep) {
    InputScript script;
    script.moveTo(at(132, kLowerY)).wheel(-1);
    const std::vector<HostCall> requests = playAndCollect(script);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].opcode, audioMasterAutomate);
    EXPECT_EQ(requests[0].index, 1);
    EXPECT_EQ(requests[0].opt, 0.9f);
    EXPECT_EQ(dll.host.getParameter(1), 0.9f);
    EXPECT_EQ(dll.host.getParameter(0), 1.0f);
    EXPECT_EQ(lowerHandle(), handleLeftEdgeFor(0.9f));
}

TEST_F(EditorTest, EditBracketStaysOpenWhileTheButtonIsHeld) {
    // A long hold without moving: idle time goes to the host meanwhile, and
    // the bracket closes only after the release.
    InputScript script;
    script.moveTo(at(100, kUpperY)).pressLeft().moveTo(at(120, kUpperY)).pause(400).releaseLeft();
    const std::vector<HostCall> requests = playAndCollect(script);
    ASSERT_EQ(requests.size(), buttonHeld.size());
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests.back().opcode, audioMasterEndEdit);
    for (std::size_t i = 0; i + 1 < requests.size(); ++i) {
        EXPECT_NE(requests[i].opcode, audioMasterEndEdit) << i;
        EXPECT_TRUE(buttonHeld[i]) << i;
    }
    EXPECT_FALSE(buttonHeld.back());
    EXPECT_EQ(dll.host.getParameter(0), valueUnderPointer(120));
    // The drag loop gave the host idle time about every 50 ms.
    EXPECT_GE(countCalls(playedCalls, audioMasterIdle), 4);
}

TEST_F(EditorTest, DragFarPastEitherEndStopsAtTheEnds) {
    InputScript toLeft;
    toLeft.moveTo(at(200, kUpperY))
        .pressLeft()
        .moveTo(at(100, kUpperY))
        .moveTo(at(-300, kUpperY + 40)) // far outside the window
        .releaseLeft();
    std::vector<HostCall> requests = playAndCollect(toLeft);
    EXPECT_EQ(dll.host.getParameter(0), 0.0f);
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests.back().opcode, audioMasterEndEdit);
    for (const HostCall& call : requests) {
        EXPECT_EQ(call.index, 0);
        if (call.opcode == audioMasterAutomate) {
            EXPECT_GE(call.opt, 0.0f);
            EXPECT_LE(call.opt, 1.0f);
        }
    }
    EXPECT_EQ(requests[requests.size() - 2].opt, 0.0f);
    EXPECT_EQ(upperHandle(), 11);

    InputScript toRight;
    toRight.moveTo(at(60, kLowerY))
        .pressLeft()
        .moveTo(at(700, kLowerY - 30))
        .moveTo(at(900, kLowerY))
        .releaseLeft();
    requests = playAndCollect(toRight);
    EXPECT_EQ(dll.host.getParameter(1), 1.0f);
    EXPECT_EQ(dll.host.getParameter(0), 0.0f);
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[requests.size() - 2].opcode, audioMasterAutomate);
    EXPECT_EQ(requests[requests.size() - 2].index, 1);
    EXPECT_EQ(requests[requests.size() - 2].opt, 1.0f);
    EXPECT_EQ(lowerHandle(), 242);
    EXPECT_EQ(upperHandle(), 11);
}

TEST_F(EditorTest, ControlClickSetsTheDefaultValue) {
    InputScript script;
    script.moveTo(at(30, kLowerY)).keyDown(VK_CONTROL).click(at(30, kLowerY)).keyUp(VK_CONTROL);
    const std::vector<HostCall> requests = playAndCollect(script);
    EXPECT_EQ(dll.host.getParameter(1), 0.5f);
    EXPECT_EQ(dll.host.getParameter(0), 1.0f);
    // No edit bracket: one automation, of the default value.
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].opcode, audioMasterAutomate);
    EXPECT_EQ(requests[0].index, 1);
    EXPECT_EQ(requests[0].opt, 0.5f);
    EXPECT_EQ(lowerHandle(), handleLeftEdgeFor(0.5f));
}

// With Shift held from the press the value moves a tenth of the way from
// where it was towards the pointer. (Shift is pressed before the press and
// the pointer does not move while it is held: under Wine, pointer motion
// re-reads the modifier keys from the display, which never saw them.)
TEST_F(EditorTest, ShiftClickMovesATenthOfTheWay) {
    InputScript script;
    script.moveTo(at(132, kUpperY)).keyDown(VK_SHIFT).pressLeft().releaseLeft().keyUp(VK_SHIFT);
    const std::vector<HostCall> requests = playAndCollect(script);
    const float fine = 1.0f + (valueUnderPointer(132) - 1.0f) / 10.0f;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(requests[1].opt, fine);
    EXPECT_EQ(requests[2].opcode, audioMasterEndEdit);
    EXPECT_FLOAT_EQ(dll.host.getParameter(0), fine);
    EXPECT_EQ(upperHandle(), handleLeftEdgeFor(dll.host.getParameter(0)));
}

} // namespace
