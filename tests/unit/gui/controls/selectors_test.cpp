// VerticalSelector and HorizontalSelector: the image for each value, the
// value for each zone under the pointer, the drag that lasts while the
// mouse state stays as pressed, the default-value gesture and a single
// position.
#include <limits>

#include "gui/controls/selectors.h"
#include "image_control_test.h"

namespace {

class SelectorTest : public ImageControlTest {
protected:
    // Four positions in 40 pixels of image height: zones of 10 pixels from y 10.
    VerticalSelector* addVertical(int positions = 4, Bitmap* picture = nullptr) {
        return add(new VerticalSelector(Rect(10, 10, 40, 50), &listener, 5, 4, 40, positions,
                                        picture, Point(9, 9)));
    }
};

TEST_F(SelectorTest, DrawsTheNearestPositionsImageFromTheLeftEdge) {
    VerticalSelector* selector = addVertical(4, keep(coordinatePicture(30, 160)));
    const struct {
        float value;
        int image;
    } cases[] = {{0.0f, 0},        {0.16f, 0},       {0.17f, 1},
                 {1.0f / 3.0f, 1}, {2.0f / 3.0f, 2}, {1.0f, 3},
                 {1.4f, 3},        {-0.5f, 0},       {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        selector->setValue(c.value);
        EXPECT_EQ(selector->imageNumber(), c.image) << c.value;
        frame->drawView(selector);
        EXPECT_EQ(sourceAt(10, 10), Point(0, 40 * c.image)) << c.value;
    }
}

TEST_F(SelectorTest, APressPicksTheZoneUnderThePointer) {
    VerticalSelector* selector = addVertical();
    const struct {
        int y;
        float value;
    } cases[] = {{10, 0.0f},        {19, 0.0f}, {20, 1.0f / 3.0f},
                 {35, 2.0f / 3.0f}, {49, 1.0f}, {50, 1.0f}};
    for (const auto& c : cases) {
        press(20, c.y, kLButton);
        EXPECT_EQ(selector->getValue(), c.value) << c.y;
    }
    EXPECT_EQ(selector->valueAt(Point(20, -30)), 0.0f) << "above: not below 0";
    EXPECT_EQ(selector->valueAt(Point(20, 300)), 1.0f) << "below: not above 1";
}

TEST_F(SelectorTest, DragsWhileTheStateStaysAsPressedInsideAnEditBracket) {
    VerticalSelector* selector = addVertical();
    frame->drawView(selector);
    press(20, 15, kLButton,
          {{20, 35, kLButton}, {20, 0, kLButton}, {20, 45, kLButton | kShift}, {0, 0, 0}});
    EXPECT_EQ(log, (Log{"begin 5", "value 0.666667", "value 0", "end 5"}));
    EXPECT_EQ(selector->getValue(), 0.0f) << "the step with Shift ended the drag";
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(SelectorTest, CtrlClickGoesToTheFirstPosition) {
    VerticalSelector* selector = addVertical();
    EXPECT_EQ(selector->getDefaultValue(), 0.0f);
    selector->setValue(1.0f);
    frame->drawView(selector);
    press(20, 45, kLButton | kControl);
    EXPECT_EQ(selector->getValue(), 0.0f);
    EXPECT_EQ(log, (Log{"value 0"}));
}

TEST_F(SelectorTest, OnePositionOrNoneLeavesNothingToChoose) {
    for (int positions : {1, 0, -2}) {
        VerticalSelector* selector = addVertical(positions);
        press(20, 45, kLButton);
        EXPECT_EQ(selector->getValue(), 0.0f) << positions;
        selector->setValue(1.0f);
        EXPECT_EQ(selector->imageNumber(), 0) << positions;
        frame->removeView(selector);
    }
    // No image height: the selector's own height is shared out.
    auto* tall = add(
        new VerticalSelector(Rect(10, 10, 40, 50), &listener, 5, 4, 0, 2, nullptr, Point(0, 0)));
    EXPECT_EQ(tall->valueAt(Point(20, 31)), 1.0f);
}

TEST_F(SelectorTest, HorizontalZonesShareTheBackgroundsWidth) {
    // A picture 80 wide: four zones of 20 pixels from x 10.
    auto* selector = add(new HorizontalSelector(Rect(10, 10, 90, 30), &listener, 6, 4, 20, 4,
                                                keep(coordinatePicture(80, 80)), Point(0, 0)));
    press(50, 20, kLButton);
    EXPECT_EQ(selector->getValue(), 2.0f / 3.0f);
    press(29, 20, kLButton);
    EXPECT_EQ(selector->getValue(), 0.0f);
    frame->drawView(selector);
    selector->setValue(1.0f);
    frame->drawView(selector);
    EXPECT_EQ(sourceAt(10, 10), Point(0, 60));

    // Without a picture the selector's own width is shared out.
    selector->setBackground(nullptr);
    EXPECT_EQ(selector->valueAt(Point(70, 20)), 1.0f);
    EXPECT_EQ(selector->valueAt(Point(49, 20)), 1.0f / 3.0f);
}

} // namespace
