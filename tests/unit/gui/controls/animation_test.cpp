// Animation: drawing only while open, the value as a pixel offset into the
// stack, the click that opens or closes, and stepping through every image
// with wraps at image boundaries.
#include <limits>

#include "gui/controls/animation.h"
#include "image_control_test.h"

namespace {

class AnimationTest : public ImageControlTest {
protected:
    // Four images of 10 pixels below the offset (2, 3).
    Animation* addAnimation(int count = 4, int imageHeight = 10, Bitmap* picture = nullptr) {
        return add(new Animation(Rect(10, 10, 30, 20), &listener, 1, count, imageHeight, picture,
                                 Point(2, 3)));
    }
};

TEST_F(AnimationTest, DrawsTheImageAtTheValuesOffsetOnlyWhileOpen) {
    Animation* animation = addAnimation(4, 10, keep(coordinatePicture(30, 50)));
    animation->setValue(20.0f);
    frame->drawView(animation);
    EXPECT_EQ(pixel(10, 10), raster::kBlack) << "closed: nothing drawn";
    EXPECT_FALSE(animation->isDirty());
    animation->openAnimation();
    EXPECT_TRUE(animation->isOpen());
    frame->drawView(animation);
    EXPECT_EQ(sourceAt(10, 10), Point(2, 23));
    animation->setValue(7.9f);
    frame->drawView(animation);
    EXPECT_EQ(sourceAt(10, 10), Point(2, 10)) << "whole pixels toward zero";
    animation->closeAnimation();
    EXPECT_FALSE(animation->isOpen());
}

TEST_F(AnimationTest, AClickOpensAndTellsOrShowsTheFirstImageAndCloses) {
    Animation* animation = addAnimation(4, 10, keep(coordinatePicture(30, 50)));
    animation->setValue(20.0f);
    frame->drawView(animation);
    press(15, 15, kLButton);
    EXPECT_TRUE(animation->isOpen());
    EXPECT_EQ(animation->getValue(), 0.0f);
    EXPECT_EQ(log, (Log{"value 0"})) << "told although 0 may be what it last drew";
    EXPECT_EQ(sourceAt(10, 10), Point(2, 3)) << "the listener had it redrawn";

    animation->nextImage();
    frame->drawView(animation);
    EXPECT_EQ(sourceAt(10, 10), Point(2, 13));
    press(15, 15, kLButton);
    EXPECT_FALSE(animation->isOpen());
    EXPECT_EQ(animation->getValue(), 0.0f);
    EXPECT_EQ(sourceAt(10, 10), Point(2, 3)) << "drawn at the first image, then closed";
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(AnimationTest, StepsVisitEveryImageAndWrapAtImageBoundaries) {
    Animation* animation = addAnimation(4, 10);
    std::vector<float> forward;
    for (int i = 0; i < 5; ++i) {
        animation->nextImage();
        forward.push_back(animation->getValue());
    }
    EXPECT_EQ(forward, (std::vector<float>{10, 20, 30, 0, 10}));
    std::vector<float> backward;
    for (int i = 0; i < 5; ++i) {
        animation->previousImage();
        backward.push_back(animation->getValue());
    }
    EXPECT_EQ(backward, (std::vector<float>{0, 30, 20, 10, 0}));
}

TEST_F(AnimationTest, OddStacksAndValuesStepSafely) {
    Animation* single = addAnimation(1, 10);
    single->nextImage();
    EXPECT_EQ(single->getValue(), 0.0f);
    single->previousImage();
    EXPECT_EQ(single->getValue(), 0.0f);
    for (auto [count, height] : {std::pair{0, 10}, std::pair{4, 0}, std::pair{-3, -3}}) {
        Animation* empty = addAnimation(count, height);
        empty->setValue(5.0f);
        empty->nextImage();
        EXPECT_EQ(empty->getValue(), 0.0f);
        empty->setValue(5.0f);
        empty->previousImage();
        EXPECT_EQ(empty->getValue(), 0.0f);
    }
    Animation* animation = addAnimation(4, 10);
    animation->setValue(std::numeric_limits<float>::quiet_NaN());
    animation->nextImage();
    EXPECT_EQ(animation->getValue(), 0.0f);
    animation->setValue(std::numeric_limits<float>::quiet_NaN());
    animation->previousImage();
    EXPECT_EQ(animation->getValue(), 30.0f);
    animation->setValue(1000.0f);
    animation->previousImage();
    EXPECT_EQ(animation->getValue(), 30.0f);
    animation->setValue(1.0e30f);
    animation->openAnimation();
    frame->drawView(animation); // far past the stack: no conversion overflow
}

} // namespace
