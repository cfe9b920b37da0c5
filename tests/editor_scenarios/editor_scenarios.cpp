// The editor's scenarios, each written once and run on every way the editor
// is reached (see editor_driver.h): a press, quick clicks, a drag past both
// ends, Ctrl-click to the default, Shift for fine moves, the wheel, the arrow
// keys, and changes from the host and from MIDI reaching the panel at idle.
// What the host hears and what the window shows are checked on every way.
#include <algorithm>

#include "editor/panel_layout.h"
#include "editor_driver.h"

namespace editor_scenarios {
namespace {

using namespace panel_layout;

constexpr int kUpper = 0; // ncvolume
constexpr int kLower = 1; // ipvolume
constexpr int kUpperY = kNcvolumeTop + kHandleSize / 2;
constexpr int kLowerY = kIpvolumeTop + kHandleSize / 2;
constexpr int kAboveTheSliders = 20;
constexpr int kHandleAtOne = kSliderLeft + kTravel;

// Where the window shows the handle of a slider at `value`.
int handleLeftFor(float value) {
    return kSliderLeft + static_cast<int>(static_cast<float>(kTravel) * value);
}

std::vector<Edit> oneEdit(int parameter, float value) {
    return {{Edit::begin, parameter}, {Edit::change, parameter, value}, {Edit::end, parameter}};
}

// Nothing but changes of one parameter, inside one edit.
void expectOneEditOf(const std::vector<Edit>& edits, int parameter) {
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front(), (Edit{Edit::begin, parameter}));
    EXPECT_EQ(edits.back(), (Edit{Edit::end, parameter}));
    for (std::size_t i = 1; i + 1 < edits.size(); ++i) {
        EXPECT_EQ(edits[i].kind, Edit::change) << i;
        EXPECT_EQ(edits[i].parameter, parameter) << i;
    }
}

// The handle jumps under the pointer: one automated change inside an edit,
// and the window shows the handle there at once.
TEST_P(EditorScenario, APressIsOneEditAtTheValueUnderThePointer) {
    ASSERT_TRUE(driver->play(Gesture().click(132, kUpperY)));
    const float value = valueForPress(132);
    EXPECT_EQ(value, 115.0f / 231.0f);
    EXPECT_EQ(driver->takeEdits(), oneEdit(kUpper, value));
    EXPECT_EQ(driver->parameter(kUpper), value);
    EXPECT_EQ(driver->parameter(kLower), 1.0f);
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), handleLeftFor(value));
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), kHandleAtOne);
}

// Each quick click is a press where it was made and a release at once: one
// edit at the value under the press, though the button is up (and the
// pointer elsewhere) by the time the editor handles it.
TEST_P(EditorScenario, QuickClicksAreEachOneEditAtTheirPress) {
    ASSERT_TRUE(
        driver->playAtOnce(Gesture().click(132, kUpperY).click(60, kLowerY).moveTo(200, kUpperY)));
    std::vector<Edit> expected = oneEdit(kUpper, valueForPress(132));
    for (const Edit& edit : oneEdit(kLower, valueForPress(60)))
        expected.push_back(edit);
    EXPECT_EQ(driver->takeEdits(), expected);
    EXPECT_EQ(driver->parameter(kUpper), valueForPress(132));
    EXPECT_EQ(driver->parameter(kLower), valueForPress(60));
}

// The pointer leaves the window while the button is held: the drag goes on,
// and stops at the slider's ends.
TEST_P(EditorScenario, ADragPastBothEndsStopsAtZeroAndOne) {
    ASSERT_TRUE(driver->play(Gesture()
                                 .moveTo(200, kLowerY)
                                 .press()
                                 .moveTo(100, kLowerY)
                                 .moveTo(700, kLowerY - 30)
                                 .moveTo(-300, kLowerY + 40)
                                 .release()));
    std::vector<Edit> edits = driver->takeEdits();
    expectOneEditOf(edits, kLower);
    std::vector<float> values = changedValues(edits);
    ASSERT_GE(values.size(), 4u);
    EXPECT_EQ(values.front(), valueForPress(200));
    EXPECT_NE(std::find(values.begin(), values.end(), valueForPress(100)), values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), 1.0f), values.end());
    EXPECT_EQ(values.back(), 0.0f);
    for (float value : values) {
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, 1.0f);
    }
    EXPECT_EQ(driver->parameter(kLower), 0.0f);
    EXPECT_EQ(driver->parameter(kUpper), 1.0f);
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), kSliderLeft);

    // The upper slider, pressed at the left and dragged far past the right end.
    ASSERT_TRUE(driver->play(Gesture()
                                 .moveTo(60, kUpperY)
                                 .press()
                                 .moveTo(700, kUpperY - 30)
                                 .moveTo(900, kUpperY)
                                 .release()));
    edits = driver->takeEdits();
    expectOneEditOf(edits, kUpper);
    values = changedValues(edits);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 1.0f);
    EXPECT_EQ(driver->parameter(kUpper), 1.0f);
    EXPECT_EQ(driver->parameter(kLower), 0.0f);
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), kHandleAtOne);
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), kSliderLeft);
}

// Ctrl-click sets the default, 0.5: one automated change, no edit; also when
// Ctrl and the button are up again before the editor looks (the press still
// says Ctrl was held).
TEST_P(EditorScenario, ControlClickSetsTheDefaultWithoutAnEdit) {
    ASSERT_TRUE(driver->play(Gesture().click(30, kLowerY, kControlHeld)));
    EXPECT_EQ(driver->takeEdits(), (std::vector<Edit>{{Edit::change, kLower, 0.5f}}));
    EXPECT_EQ(driver->parameter(kLower), 0.5f);
    EXPECT_EQ(driver->parameter(kUpper), 1.0f);
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), handleLeftFor(0.5f));

    ASSERT_TRUE(driver->playAtOnce(Gesture().click(60, kUpperY, kControlHeld)));
    EXPECT_EQ(driver->takeEdits(), (std::vector<Edit>{{Edit::change, kUpper, 0.5f}}));
    EXPECT_EQ(driver->parameter(kUpper), 0.5f);
}

// With Shift held from the press the value moves a tenth of the way from
// where it was towards the pointer.
TEST_P(EditorScenario, ShiftClickMovesATenthOfTheWay) {
    ASSERT_TRUE(driver->play(Gesture().click(132, kUpperY, kShiftHeld)));
    const float fine = 1.0f + (valueForPress(132) - 1.0f) / 10.0f;
    const std::vector<Edit> edits = driver->takeEdits();
    expectOneEditOf(edits, kUpper);
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_FLOAT_EQ(edits[1].value, fine);
    EXPECT_FLOAT_EQ(driver->parameter(kUpper), fine);
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), handleLeftFor(driver->parameter(kUpper)));
}

// Shift held through a drag: 100 pixels to the left move a tenth as far as
// a plain drag does.
TEST_P(EditorScenario, ShiftDragMovesFinely) {
    if (!driver->can(Need::modifiersThroughAMove))
        GTEST_SKIP() << "cannot hold a modifier through a move (editor_driver.h)";
    const float before = driver->parameter(kUpper);
    ASSERT_TRUE(driver->play(
        Gesture().moveTo(200, kUpperY).press(kShiftHeld).moveTo(100, kUpperY).release()));
    expectOneEditOf(driver->takeEdits(), kUpper);
    const float moved = before - driver->parameter(kUpper);
    EXPECT_GT(moved, 0.0f);
    EXPECT_LT(moved, 2.0f * 100.0f / static_cast<float>(kTravel) / 10.0f + 0.05f);
    EXPECT_EQ(driver->parameter(kLower), 1.0f);
}

// A notch towards the user is one step down for the slider under the
// pointer, told as an automated change without an edit, and shown at once;
// away from the sliders the wheel changes nothing.
TEST_P(EditorScenario, TheWheelStepsTheSliderUnderThePointer) {
    ASSERT_TRUE(driver->play(Gesture().moveTo(132, kLowerY).wheel(-1)));
    EXPECT_EQ(driver->takeEdits(), (std::vector<Edit>{{Edit::change, kLower, 0.9f}}));
    EXPECT_EQ(driver->parameter(kLower), 0.9f);
    EXPECT_EQ(driver->parameter(kUpper), 1.0f);
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), handleLeftFor(0.9f));

    ASSERT_TRUE(driver->play(Gesture().moveTo(132, kUpperY).wheel(-1).wheel(-1).wheel(1)));
    std::vector<Edit> edits = driver->takeEdits();
    ASSERT_EQ(edits.size(), 3u);
    for (const Edit& edit : edits)
        EXPECT_EQ(edit, (Edit{Edit::change, kUpper, edit.value}));
    EXPECT_FLOAT_EQ(driver->parameter(kUpper), 0.9f);

    ASSERT_TRUE(driver->play(Gesture().moveTo(132, kAboveTheSliders).wheel(-1)));
    EXPECT_TRUE(driver->takeEdits().empty());
    EXPECT_FLOAT_EQ(driver->parameter(kUpper), 0.9f);
    EXPECT_EQ(driver->parameter(kLower), 0.9f);
}

// After a click in the panel (above the sliders: it changes nothing) keys go
// to it; with no view focused the lower slider, added last, takes the
// arrows: a step each, a fine one with Shift, shown at the next idle.
TEST_P(EditorScenario, ArrowKeysStepTheLowerSlider) {
    ASSERT_TRUE(driver->play(Gesture().click(150, kAboveTheSliders).key(Key::down)));
    EXPECT_FLOAT_EQ(driver->parameter(kLower), 0.9f);
    std::vector<Edit> edits = driver->takeEdits();
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0], (Edit{Edit::change, kLower, driver->parameter(kLower)}));
    driver->idle();
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), handleLeftFor(driver->parameter(kLower)));

    ASSERT_TRUE(driver->play(Gesture().key(Key::left).key(Key::right).key(Key::right)));
    EXPECT_FLOAT_EQ(driver->parameter(kLower), 1.0f);
    driver->takeEdits();

    ASSERT_TRUE(driver->play(Gesture().key(Key::down, kShiftHeld)));
    const float fine = driver->parameter(kLower);
    EXPECT_LT(fine, 1.0f);
    EXPECT_GT(fine, 0.9f);
    EXPECT_EQ(driver->parameter(kUpper), 1.0f);
}

// A value set by the host reaches the window at the next idle, and is not
// told back to the host.
TEST_P(EditorScenario, AHostChangeMovesTheSliderAtIdle) {
    driver->setFromHost(kLower, 0.5f);
    driver->idle();
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), handleLeftFor(0.5f));
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), kHandleAtOne);
    EXPECT_EQ(driver->parameter(kLower), 0.5f);
    EXPECT_TRUE(driver->takeEdits().empty());
}

// Controller 1 sets ncvolume in the audio path; nothing is drawn there, and
// the upper handle moves at the next idle.
TEST_P(EditorScenario, ControllerOneMovesTheUpperHandleAtIdle) {
    if (!driver->can(Need::controller))
        GTEST_SKIP() << "no effect behind this editor (editor_driver.h)";
    ASSERT_EQ(driver->handleLeft(kNcvolumeTop), kHandleAtOne);
    driver->sendController1(0);
    EXPECT_EQ(driver->parameter(kUpper), 0.0f);
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), kHandleAtOne) << "drawn from the audio path";
    driver->idle();
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), kSliderLeft);
    EXPECT_EQ(driver->handleLeft(kIpvolumeTop), kHandleAtOne);

    driver->sendController1(127);
    driver->idle();
    EXPECT_EQ(driver->handleLeft(kNcvolumeTop), kHandleAtOne);
    EXPECT_TRUE(driver->takeEdits().empty());
}

} // namespace
} // namespace editor_scenarios
