// ThreeWaySwitch: the image for each of its three values, the halves a held
// press picks (top and bottom, or left and right), the spring back to 0.0
// that the listener hears last inside the bracket, and the wheel's flick.
#include "gui/controls/slider.h"
#include "gui/controls/three_way_switch.h"
#include "image_control_test.h"

namespace {

class ThreeWaySwitchTest : public ImageControlTest {
protected:
    // 20 by 30 at (10, 10): the top half is y 10 to 24, the bottom from y 25.
    ThreeWaySwitch* addSwitch(int style = 0, Bitmap* picture = nullptr) {
        auto* s = add(new ThreeWaySwitch(Rect(10, 10, 30, 40), &listener, 3, 30, picture,
                                         Point(2, 5), style));
        frame->drawView(s);
        return s;
    }
};

TEST_F(ThreeWaySwitchTest, DrawsOneOfThreeImagesBelowTheOffset) {
    ThreeWaySwitch* s = addSwitch(0, keep(coordinatePicture(30, 100)));
    const struct {
        float value;
        int image;
    } cases[] = {{-1.0f, 0}, {0.0f, 1}, {1.0f, 2}, {-0.3f, 0}, {0.3f, 2}};
    for (const auto& c : cases) {
        s->setValue(c.value);
        EXPECT_EQ(s->imageNumber(), c.image) << c.value;
        frame->drawView(s);
        EXPECT_EQ(sourceAt(10, 10), Point(2, 5 + 30 * c.image)) << c.value;
    }
}

TEST_F(ThreeWaySwitchTest, HeldItFollowsTheHalvesAndSpringsBackToZeroHeardLast) {
    ThreeWaySwitch* s = addSwitch();
    press(20, 12, kLButton,
          {{20, 24, kLButton},
           {20, 25, kLButton},
           {20, 39, kLButton | kShift},
           {60, 25, kLButton},
           {20, 12, kShift},
           {0, 0, 0}});
    EXPECT_EQ(log,
              (Log{"begin 3", "value -1", "value 1", "value 0", "value -1", "value 0", "end 3"}));
    EXPECT_EQ(s->getValue(), 0.0f);
}

TEST_F(ThreeWaySwitchTest, ReleasedOnTheSameSideItStillTellsZero) {
    ThreeWaySwitch* s = addSwitch(styleHorizontal);
    press(29, 12, kLButton);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    listener.values.clear();
    press(10, 39, kLButton);
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f}));
    EXPECT_EQ(s->getValue(), 0.0f);
    // Released off the switch, where it already went back to 0.0: told again.
    listener.values.clear();
    press(12, 30, kLButton, {{80, 80, kLButton}, {0, 0, 0}});
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f, 0.0f}));
    press(20, 20, kRButton);
    EXPECT_EQ(listener.values.size(), 3u) << "only the left button presses";
}

TEST_F(ThreeWaySwitchTest, TheWheelFlicksOneWayAndBack) {
    ThreeWaySwitch* s = addSwitch();
    withContext([&](DrawContext& context) {
        Point where(20, 20);
        EXPECT_TRUE(s->onWheel(&context, where, 1.0f));
        EXPECT_TRUE(s->onWheel(&context, where, -2.0f));
    });
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(s->getValue(), 0.0f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "begin 3"), 0);
}

} // namespace
