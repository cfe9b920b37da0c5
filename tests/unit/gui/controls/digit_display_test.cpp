// DigitDisplay: digits with leading zeros at their own places, the shown
// number held to what the digits hold, the digit count held to 1 to 7, and
// the normalised value.
#include <limits>

#include "gui/controls/digit_display.h"
#include "image_control_test.h"

namespace {

class DigitDisplayTest : public ImageControlTest {
protected:
    // Three digits 8 by 10 at x 20, 30, 40 (y 15, 15, 17); the picture stacks 0 to 9.
    DigitDisplay* addDisplay(int count, float value, const int* xs = kX, const int* ys = kY) {
        auto* display = add(new DigitDisplay(Rect(20, 15, 50, 30), &listener, 0, 0, count, xs, ys,
                                             8, 10, keep(coordinatePicture(8, 100))));
        display->setValue(value);
        return display;
    }
    // The digit drawn at a place, from the picture row read there.
    int digitDrawnAt(int x, int y) const { return sourceAt(x, y).v / 10; }

    static constexpr int kX[7] = {20, 30, 40, 50, 60, 70, 80};
    static constexpr int kY[7] = {15, 15, 17, 15, 15, 15, 15};
};

TEST_F(DigitDisplayTest, ThreeDigitsShowSevenWithLeadingZerosAndCapAt999) {
    DigitDisplay* display = addDisplay(3, 7.0f);
    EXPECT_EQ(display->getMin(), 0.0f);
    EXPECT_EQ(display->getMax(), 999.0f);
    const struct {
        float value;
        int digits[3];
    } cases[] = {{7.0f, {0, 0, 7}},    {7.9f, {0, 0, 7}},
                 {305.0f, {3, 0, 5}},  {999.0f, {9, 9, 9}},
                 {1000.0f, {9, 9, 9}}, {1.0e30f, {9, 9, 9}},
                 {-5.0f, {0, 0, 0}},   {std::numeric_limits<float>::quiet_NaN(), {0, 0, 0}}};
    for (const auto& c : cases) {
        display->setValue(c.value);
        frame->drawView(display);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(display->digitAt(i), c.digits[i]) << c.value << " place " << i;
            EXPECT_EQ(digitDrawnAt(kX[i], kY[i]), c.digits[i]) << c.value << " place " << i;
            EXPECT_EQ(sourceAt(kX[i] + 7, kY[i] + 9), Point(7, c.digits[i] * 10 + 9));
        }
    }
    EXPECT_EQ(pixel(28, 15), raster::kBlack) << "each digit only its own width";
}

TEST_F(DigitDisplayTest, DigitCountIsHeldToOneToSeven) {
    DigitDisplay* many = addDisplay(12, 123456789.0f);
    EXPECT_EQ(many->getDigitCount(), 7);
    EXPECT_EQ(many->getMax(), 9999999.0f);
    EXPECT_EQ(many->shownNumber(), 9999999);
    frame->drawView(many);
    for (int count : {0, -4}) {
        DigitDisplay* one = addDisplay(count, 42.0f);
        EXPECT_EQ(one->getDigitCount(), 1);
        EXPECT_EQ(one->getMax(), 9.0f);
        EXPECT_EQ(one->digitAt(0), 9);
    }
}

TEST_F(DigitDisplayTest, WithoutPositionsTheDigitsSitSideBySide) {
    DigitDisplay* display = addDisplay(3, 482.0f, nullptr, nullptr);
    frame->drawView(display);
    EXPECT_EQ(digitDrawnAt(20, 15), 4);
    EXPECT_EQ(digitDrawnAt(28, 15), 8);
    EXPECT_EQ(digitDrawnAt(36, 15), 2);
}

TEST_F(DigitDisplayTest, NormalisedValueIsTheValueOverTheMaximumHeldToZeroToOne) {
    DigitDisplay* display = addDisplay(3, 0.0f);
    const struct {
        float value;
        float normalized;
    } cases[] = {{0.0f, 0.0f},    {999.0f, 1.0f}, {7.0f, 7.0f / 999.0f},
                 {2000.0f, 1.0f}, {-1.0f, 0.0f},  {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    for (const auto& c : cases) {
        display->setValue(c.value);
        EXPECT_EQ(display->getNormalizedValue(), c.normalized) << c.value;
    }
    display->setMax(0.0f);
    display->setValue(5.0f);
    EXPECT_EQ(display->getNormalizedValue(), 0.0f) << "no maximum to divide by";
}

} // namespace
