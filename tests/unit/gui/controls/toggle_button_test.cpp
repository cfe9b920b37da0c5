// ToggleButton: which half of its picture it draws, how a click turns the
// value, and that every click is reported without an edit bracket.
#include <algorithm>
#include <limits>

#include "gui/controls/toggle_button.h"
#include "image_control_test.h"

namespace {

class ToggleButtonTest : public ImageControlTest {
protected:
    // A 30 by 21 picture: the upper half rows 0 to 9, the lower from row 10.
    ToggleButton* addToggle(float value) {
        auto* toggle = add(
            new ToggleButton(Rect(20, 30, 50, 40), &listener, 4, keep(coordinatePicture(30, 21))));
        toggle->setValue(value);
        return toggle;
    }
};

TEST_F(ToggleButtonTest, DrawsTheUpperHalfOnlyForZero) {
    ToggleButton* toggle = addToggle(0.0f);
    const struct {
        float value;
        int top;
    } cases[] = {{0.0f, 0},
                 {1.0f, 10},
                 {0.4f, 10},
                 {-1.0f, 10},
                 {1.7f, 10},
                 {-0.0f, 0},
                 {std::numeric_limits<float>::quiet_NaN(), 10}};
    for (const auto& c : cases) {
        toggle->setValue(c.value);
        frame->drawView(toggle);
        EXPECT_EQ(sourceAt(20, 30), Point(0, c.top)) << c.value;
        EXPECT_EQ(sourceAt(49, 39), Point(29, c.top + 9)) << c.value;
        if (!std::isnan(c.value)) {
            EXPECT_FALSE(toggle->isDirty()) << c.value;
        }
    }
    EXPECT_EQ(pixel(50, 30), raster::kBlack) << "nothing beyond the bounds";
}

TEST_F(ToggleButtonTest, TransparentLeavesThePicturesWhiteOut) {
    Bitmap* picture = keep(plainPicture(10, 10, colorWhite));
    auto* toggle = add(new ToggleButton(Rect(0, 0, 10, 5), &listener, 0, picture));
    toggle->setTransparent(true);
    frame->drawView(toggle);
    EXPECT_EQ(pixel(2, 2), raster::kBlack);
    toggle->setTransparent(false);
    frame->drawView(toggle);
    EXPECT_EQ(pixel(2, 2), raster::kWhite);
}

TEST_F(ToggleButtonTest, AClickTurnsByTheWholePartOfTheValue) {
    const struct {
        float before;
        float after;
    } cases[] = {{0.0f, 1.0f},    {1.0f, 0.0f},
                 {0.4f, 1.0f},    {1.7f, 0.0f},
                 {-0.5f, 1.0f},   {-1.2f, 0.0f},
                 {1.0e30f, 0.0f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    ToggleButton* toggle = addToggle(0.0f);
    for (const auto& c : cases) {
        toggle->setValue(c.before);
        listener.values.clear();
        press(30, 35, kLButton);
        EXPECT_EQ(toggle->getValue(), c.after) << c.before;
        EXPECT_EQ(listener.values, std::vector<float>{c.after}) << c.before;
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "begin 4"), 0) << "no edit bracket";
}

TEST_F(ToggleButtonTest, EveryClickIsReportedEvenOntoTheValueLastDrawn) {
    ToggleButton* toggle = addToggle(1.0f);
    frame->drawView(toggle);
    toggle->setValue(0.4f); // set from outside, not drawn
    press(30, 35, kLButton);
    EXPECT_EQ(toggle->getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
}

TEST_F(ToggleButtonTest, OnlyTheLeftButtonClicks) {
    ToggleButton* toggle = addToggle(0.0f);
    press(30, 35, kRButton);
    press(30, 35, kMButton | kShift);
    EXPECT_EQ(toggle->getValue(), 0.0f);
    EXPECT_TRUE(listener.values.empty());
    press(30, 35, kLButton | kShift | kControl);
    EXPECT_EQ(toggle->getValue(), 1.0f);
}

TEST_F(ToggleButtonTest, WithoutAPictureOrSizeItStillWorks) {
    auto* toggle = add(new ToggleButton(Rect(20, 30, 20, 30), &listener, 1, nullptr));
    frame->drawView(toggle);
    EXPECT_FALSE(toggle->isDirty());
    press(20, 30, kLButton);
    EXPECT_EQ(toggle->getValue(), 1.0f);
}

} // namespace
