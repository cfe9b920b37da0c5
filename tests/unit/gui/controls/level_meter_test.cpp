// LevelMeter: the split between the on and off pictures in whole segments,
// both directions, the shown level falling by the decay step per redraw
// while staying dirty, and bad segment counts and levels.
#include <limits>

#include "gui/controls/level_meter.h"
#include "gui/controls/slider.h"
#include "image_control_test.h"

namespace {

class LevelMeterTest : public ImageControlTest {
protected:
    // The on picture is marked 7, the off picture 9.
    LevelMeter* addHorizontal(int segments = 10) {
        return add(new LevelMeter(Rect(10, 10, 110, 20), keep(coordinatePicture(100, 10, 7)),
                                  keep(coordinatePicture(100, 10, 9)), segments, styleHorizontal));
    }
    LevelMeter* addVertical() {
        return add(new LevelMeter(Rect(10, 10, 20, 110), keep(coordinatePicture(10, 100, 7)),
                                  keep(coordinatePicture(10, 100, 9)), 10, 0));
    }
    // The first column (or row) drawn from the off picture.
    int firstOffColumn(int y) const {
        for (int x = 10; x < 110; ++x)
            if (sourceAt(x, y, 9).h >= 0)
                return x;
        return 110;
    }
    int firstOnRow(int x) const {
        for (int y = 10; y < 110; ++y)
            if (sourceAt(x, y, 7).v >= 0)
                return y;
        return 110;
    }
};

TEST_F(LevelMeterTest, HorizontalBarIsLitFromTheLeftInWholeSegments) {
    LevelMeter* meter = addHorizontal();
    meter->setOldValue(0.0f);
    meter->setValue(0.53f);
    frame->drawView(meter);
    EXPECT_EQ(firstOffColumn(15), 60) << "five segments of ten pixels";
    EXPECT_EQ(sourceAt(10, 15, 7), Point(0, 5));
    EXPECT_EQ(sourceAt(59, 15, 7), Point(49, 5));
    EXPECT_EQ(sourceAt(60, 15, 9), Point(50, 5));
    EXPECT_EQ(sourceAt(109, 19, 9), Point(99, 9));
    EXPECT_FALSE(meter->isDirty());
}

TEST_F(LevelMeterTest, VerticalBarIsLitFromTheBottom) {
    LevelMeter* meter = addVertical();
    meter->setOldValue(0.0f);
    meter->setValue(0.3f);
    frame->drawView(meter);
    EXPECT_EQ(firstOnRow(15), 80);
    EXPECT_EQ(sourceAt(15, 10, 9), Point(5, 0));
    EXPECT_EQ(sourceAt(15, 79, 9), Point(5, 69));
    EXPECT_EQ(sourceAt(15, 80, 7), Point(5, 70));
    EXPECT_EQ(sourceAt(15, 109, 7), Point(5, 99));
}

TEST_F(LevelMeterTest, TheShownLevelFallsByTheDecayStepAndJumpsUp) {
    LevelMeter* meter = addHorizontal();
    meter->setValue(0.3f); // from the starting old value of 1.0
    frame->drawView(nullptr);
    std::vector<int> lit{firstOffColumn(15)};
    // The meter stays dirty while its level falls, so the frame's idle
    // redraws go on until it reaches the value.
    while (meter->isDirty() && lit.size() < 20) {
        frame->idle();
        lit.push_back(firstOffColumn(15));
    }
    ASSERT_GE(lit.size(), 7u);
    EXPECT_EQ(std::vector<int>(lit.begin(), lit.begin() + 7),
              (std::vector<int>{100, 90, 80, 70, 60, 50, 40}));
    EXPECT_EQ(lit.back(), 40);
    EXPECT_EQ(meter->getOldValue(), 0.3f);

    meter->setDecayStep(0.25f);
    EXPECT_EQ(meter->getDecayStep(), 0.25f);
    meter->setValue(0.9f);
    frame->drawView(meter);
    EXPECT_EQ(firstOffColumn(15), 100) << "a rise shows at once";
    meter->setValue(0.0f);
    frame->drawView(meter);
    EXPECT_EQ(firstOffColumn(15), 80) << "0.65: seven segments";
}

TEST_F(LevelMeterTest, SetDirtyTouchesOnlyTheFlag) {
    LevelMeter* meter = addHorizontal();
    meter->setValue(0.5f);
    meter->setOldValue(0.5f);
    meter->setDirty(true);
    EXPECT_EQ(meter->getOldValue(), 0.5f);
    EXPECT_TRUE(meter->isDirty());
    frame->drawView(meter);
    EXPECT_FALSE(meter->isDirty());
}

TEST_F(LevelMeterTest, BadSegmentCountsLevelsAndPicturesAreHarmless) {
    for (int segments : {0, -3}) {
        LevelMeter* meter = addHorizontal(segments);
        meter->setOldValue(0.0f);
        meter->setValue(0.4f);
        EXPECT_EQ(meter->splitFor(0.4f), 0) << segments << ": one segment, not lit";
        EXPECT_EQ(meter->splitFor(0.6f), 100) << segments;
        frame->drawView(meter);
    }
    LevelMeter* meter = addHorizontal();
    for (float level : {std::numeric_limits<float>::quiet_NaN(), 5.0f, -5.0f, 1.0e30f}) {
        meter->setValue(level);
        meter->setOldValue(level);
        frame->drawView(meter);
        const int split = meter->splitFor(level);
        EXPECT_TRUE(split >= 0 && split <= 100) << level;
    }
    auto* dark = add(new LevelMeter(Rect(0, 0, 10, 10), nullptr, nullptr, 10, 0));
    dark->setValue(0.5f);
    frame->drawView(dark);
    EXPECT_EQ(pixel(5, 5), raster::kBlack);
}

} // namespace
