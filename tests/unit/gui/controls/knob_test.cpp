// Knob: the angle mapping in both directions (round trips over the whole
// range, the dead zone's halves, both turning directions), drawing of the
// background and the handle, circular and linear drags with their bracket,
// the default-value gesture, the wheel and the keys, and bad geometry.
#include <cmath>
#include <limits>

#include "gui/controls/knob.h"
#include "image_control_test.h"

namespace {

constexpr float kPi = 3.14159265f;

// A point on the circle of `reach` pixels around the centre of a knob of
// `size` pixels, at angle phi (counter-clockwise from the right, in degrees).
Point onCircle(int size, float reach, float phiDegrees) {
    const float centre = static_cast<float>(size) * 0.5f;
    const float phi = phiDegrees * kPi / 180.0f;
    return Point(static_cast<int>(std::lround(centre + std::cos(phi) * reach)),
                 static_cast<int>(std::lround(centre - std::sin(phi) * reach)));
}

class KnobTest : public ImageControlTest {
protected:
    Knob* addKnob(const Rect& r, Bitmap* handle = nullptr, Bitmap* background = nullptr) {
        return add(new Knob(r, &listener, 7, background, handle, Point(0, 0)));
    }
    // A 100-pixel knob at (20, 20), drawn once so that it starts clean.
    Knob* addBigKnob(float value) {
        Knob* knob = addKnob(Rect(20, 20, 120, 120));
        knob->setValue(value);
        frame->drawView(knob);
        return knob;
    }
};

// The drags, in the knob's own loop and from the pointer events the frame
// hands over: the same values and brackets either way.
class KnobDragTest : public KnobTest, public ::testing::WithParamInterface<bool> {
protected:
    KnobDragTest() { byEvents = GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(BothDragStyles, KnobDragTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& style) {
                             return style.param ? "PointerEvents" : "ModalLoop";
                         });

TEST_F(KnobTest, StartsWithTheDefaultAnglesAndInset) {
    Bitmap* handle = keep(coordinatePicture(8, 8, 9));
    Knob* withHandle = addKnob(Rect(0, 0, 40, 40), handle);
    Knob* plain = addKnob(Rect(0, 0, 40, 40));
    EXPECT_EQ(withHandle->getStartAngle(), 3.9269907f);
    EXPECT_EQ(withHandle->getRangeAngle(), -4.712389f);
    EXPECT_FLOAT_EQ(withHandle->getHalfDeadAngle(), kPi / 4.0f);
    EXPECT_EQ(withHandle->getZoomFactor(), 1.5f);
    EXPECT_EQ(withHandle->getInset(), 6) << "trunc(8 × 0.5 + 2.5)";
    EXPECT_EQ(plain->getInset(), 3);
    EXPECT_EQ(handle->getRefCount(), 2);

    Bitmap* wider = keep(coordinatePicture(14, 14, 9));
    withHandle->setHandleBitmap(wider);
    EXPECT_EQ(withHandle->getInset(), 9);
    EXPECT_EQ(handle->getRefCount(), 1);
    EXPECT_EQ(wider->getRefCount(), 2);
    withHandle->setHandleBitmap(nullptr);
    EXPECT_EQ(withHandle->getInset(), 3);
    EXPECT_EQ(wider->getRefCount(), 1);
}

TEST_F(KnobTest, ValueToPointRunsClockwiseFromTheLowerLeft) {
    Knob* knob = addKnob(Rect(0, 0, 40, 40)); // radius 20, 17 pixels to the handle
    const struct {
        float value;
        Point point;
    } cases[] = {{0.0f, Point(8, 32)}, {0.5f, Point(20, 3)}, {1.0f, Point(32, 32)}};
    for (const auto& c : cases) {
        knob->setValue(c.value);
        Point p;
        knob->valueToPoint(p);
        EXPECT_EQ(p, c.point) << c.value;
    }
}

// Start and range angles of both signs.
struct Turning {
    float start;
    float range;
};
const Turning kTurnings[] = {
    {3.9269907f, -4.712389f},  // the default: lower left, clockwise
    {5.497787f, 4.712389f},    // lower right, counter-clockwise
    {4.712389f, 3.1415927f},   // bottom, counter-clockwise through the right
    {1.5707964f, -3.1415927f}, // top, clockwise through the right
    {1.0f, 2.0f},
    {2.0f, -5.0f},
    // Starts given beyond one turn either way: the measured angle has to be
    // brought back by a turn.
    {7.0f, -1.0f},
    {-0.7853982f, 4.712389f},
};

TEST_F(KnobTest, MappingRoundTripsWithinAPixelOverTheWholeRange) {
    Knob* knob = addKnob(Rect(0, 0, 200, 200)); // 97 pixels to the handle
    for (const Turning& turning : kTurnings) {
        knob->setStartAngle(turning.start);
        knob->setRangeAngle(turning.range);
        // The value one pixel along the handle's circle stands for.
        const float pixelWorth = 1.0f / (97.0f * std::fabs(turning.range));
        for (int i = 0; i <= 128; ++i) {
            const float value = static_cast<float>(i) / 128.0f;
            knob->setValue(value);
            Point p;
            knob->valueToPoint(p);
            EXPECT_NEAR(knob->pointToValue(p), value, pixelWorth)
                << "start " << turning.start << " range " << turning.range;
        }
    }
}

TEST_F(KnobTest, EachHalfOfTheDeadZoneGoesToTheEndItAdjoins) {
    Knob* knob = addKnob(Rect(0, 0, 200, 200));
    // Clockwise from 225°: the dead zone is 225° to 315° through the bottom;
    // its half next to 225° is the start (minimum), the other the end.
    for (float phi : {226.0f, 240.0f, 268.0f}) {
        Point p = onCircle(200, 90.0f, phi);
        EXPECT_EQ(knob->pointToValue(p), 0.0f) << phi;
    }
    for (float phi : {272.0f, 300.0f, 314.0f}) {
        Point p = onCircle(200, 90.0f, phi);
        EXPECT_EQ(knob->pointToValue(p), 1.0f) << phi;
    }
    // Counter-clockwise from 315° the same zone has its ends swapped.
    knob->setStartAngle(5.497787f);
    knob->setRangeAngle(4.712389f);
    for (float phi : {226.0f, 240.0f, 268.0f}) {
        Point p = onCircle(200, 90.0f, phi);
        EXPECT_EQ(knob->pointToValue(p), 1.0f) << phi;
    }
    for (float phi : {272.0f, 300.0f, 314.0f}) {
        Point p = onCircle(200, 90.0f, phi);
        EXPECT_EQ(knob->pointToValue(p), 0.0f) << phi;
    }
    // Other bounds: the halves go to the new minimum and maximum.
    knob->setMin(-2.0f);
    knob->setMax(3.0f);
    Point nearStart = onCircle(200, 90.0f, 300.0f);
    Point nearEnd = onCircle(200, 90.0f, 240.0f);
    EXPECT_EQ(knob->pointToValue(nearStart), -2.0f);
    EXPECT_EQ(knob->pointToValue(nearEnd), 3.0f);
}

TEST_F(KnobTest, BoundsSetAfterConstructionMapOverTheNewRange) {
    Knob* knob = addKnob(Rect(0, 0, 40, 40));
    knob->setMax(10.0f);
    Point top(20, 3);
    EXPECT_NEAR(knob->pointToValue(top), 5.0f, 0.05f);
    knob->setValue(10.0f);
    Point p;
    knob->valueToPoint(p);
    EXPECT_EQ(p, Point(32, 32));
}

TEST_F(KnobTest, DrawsTheBackgroundFromTheOffsetAndTheHandleCentredOnThePoint) {
    Bitmap* background = keep(coordinatePicture(60, 60));
    Bitmap* handle = keep(coordinatePicture(8, 8, 9));
    auto* knob = add(new Knob(Rect(20, 20, 60, 60), &listener, 0, background, handle, Point(5, 7)));
    knob->setValue(0.5f); // the point (20, 6) with the inset of 6
    frame->drawView(knob);
    EXPECT_EQ(sourceAt(20, 20), Point(5, 7));
    EXPECT_EQ(sourceAt(59, 59), Point(44, 46));
    EXPECT_EQ(sourceAt(36, 22, 9), Point(0, 0));
    EXPECT_EQ(sourceAt(43, 29, 9), Point(7, 7));
    EXPECT_EQ(sourceAt(35, 22), Point(20, 9)) << "background left of the handle";
    EXPECT_FALSE(knob->isDirty());
}

TEST_F(KnobTest, WithoutAHandlePictureTwoLinesRunToTheCentre) {
    Knob* knob = addKnob(Rect(20, 20, 60, 60));
    knob->setShadowColor(colorRed);
    knob->setPointerColor(colorGreen);
    knob->setValue(0.5f); // the point (20, 3): both lines run straight down
    frame->drawView(knob);
    for (int y = 24; y < 39; ++y) {
        EXPECT_EQ(pixel(39, y), 0x0000FFu) << y; // shadow, one pixel left
        EXPECT_EQ(pixel(40, y), 0x00FF00u) << y; // pointer
    }
    EXPECT_EQ(pixel(41, 30), raster::kBlack);
}

TEST_F(KnobTest, AngleAndColourSettersMarkItDirty) {
    Knob* knob = addKnob(Rect(0, 0, 40, 40));
    frame->drawView(knob);
    knob->setStartAngle(1.0f);
    EXPECT_TRUE(knob->isDirty());
    frame->drawView(knob);
    knob->setPointerColor(colorBlue);
    EXPECT_TRUE(knob->isDirty());
    frame->drawView(knob);
    knob->setZoomFactor(3.0f);
    knob->setInset(5);
    EXPECT_FALSE(knob->isDirty());
}

TEST_P(KnobDragTest, CircularDragFollowsTheAngleInsideAnEditBracket) {
    Knob* knob = addBigKnob(0.0f);
    // The top of the circle is the middle of the range, the right is 45° past it.
    press(70, 21, kLButton, {{119, 70, kLButton}, {0, 0, 0}});
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.5f);
    EXPECT_NEAR(listener.values[1], 1.0f - 45.0f / 270.0f, 1e-5f);
    EXPECT_EQ(log.front(), "begin 7");
    EXPECT_EQ(log.back(), "end 7");
    EXPECT_EQ(frame->getFocusView(), knob);
}

TEST_P(KnobDragTest, CrossingTheDeadZoneHoldsTheEndItLeftFrom) {
    Knob* knob = addBigKnob(0.0f);
    // (101, 96) lies just before the end, (39, 96) just after the start.
    press(101, 96, kLButton,
          {{39, 96, kLButton}, {39, 97, kLButton}, {70, 21, kLButton}, {0, 0, 0}});
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_NEAR(listener.values[0], 0.98f, 0.01f);
    EXPECT_EQ(listener.values[1], 1.0f) << "a jump of more than half the range";
    EXPECT_NEAR(listener.values[2], 0.5f, 0.01f) << "measured from the value before the jump";
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.01f);
}

TEST_P(KnobDragTest, LinearDragAddsRightAndUpAndZoomsWithShiftWithoutJumping) {
    Knob* knob = addBigKnob(0.3f);
    const int alt = kLButton | kAlt; // Alt swaps the circular mode for the linear one
    press(50, 50, alt,
          {{70, 50, alt},
           {70, 30, alt},
           {70, 30, alt | kShift},
           {100, 30, alt | kShift},
           {100, 30, alt},
           {110, 30, alt},
           {110, 30, 0}});
    ASSERT_EQ(listener.values.size(), 4u);
    EXPECT_NEAR(listener.values[0], 0.4f, 1e-6f);
    EXPECT_NEAR(listener.values[1], 0.5f, 1e-6f);
    EXPECT_NEAR(listener.values[2], 0.5f + 30.0f / 300.0f, 1e-6f) << "Shift: 1.5 × 200 pixels";
    EXPECT_NEAR(listener.values[3], 0.6f + 10.0f / 200.0f, 1e-6f);
    EXPECT_NEAR(knob->getValue(), 0.65f, 1e-6f);
    EXPECT_EQ(log.front(), "begin 7");
    EXPECT_EQ(log.back(), "end 7");

    // Far past either end the value stops at the bounds.
    press(50, 50, alt, {{400, -300, alt}, {0, 0, 0}});
    EXPECT_EQ(knob->getValue(), 1.0f);
}

// Shift pressed between two moves, the pointer still: the loop sees it at
// once, a move reports it when the pointer goes on. Either way the value
// does not jump and the move after it is fine.
TEST_P(KnobDragTest, ShiftPressedWhileStillMakesTheNextMoveFine) {
    Knob* knob = addBigKnob(0.3f);
    const int alt = kLButton | kAlt;
    std::vector<MouseStep> steps{{70, 50, alt}};
    if (!byEvents)
        steps.push_back({70, 50, alt | kShift});
    steps.push_back({100, 50, alt | kShift});
    steps.push_back({0, 0, 0});
    press(50, 50, alt, steps);
    EXPECT_NEAR(knob->getValue(), 0.4f + 30.0f / 300.0f, 1e-6f);
}

TEST_P(KnobDragTest, TheHostsKnobModeDecidesWhatAltSwapsTo) {
    Knob* knob = addBigKnob(0.1f);
    editor->setKnobMode(kLinearMode);
    press(70, 21, kLButton);
    EXPECT_EQ(knob->getValue(), 0.1f) << "linear: the press alone moves nothing";
    press(70, 21, kLButton | kAlt);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "linear mode with Alt: circular";
    editor->setKnobMode(kRelativeCircularMode);
    knob->setValue(0.1f);
    press(70, 21, kLButton);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
}

TEST_F(KnobTest, CtrlClickRestoresTheDefaultWithoutABracket) {
    Knob* knob = addBigKnob(0.9f);
    press(70, 21, kLButton | kControl);
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(log, (Log{"value 0.5"}));
    EXPECT_EQ(frame->getFocusView(), nullptr);
    press(70, 21, kRButton);
    EXPECT_EQ(log.size(), 1u) << "other buttons do nothing";
}

TEST_F(KnobTest, WheelAndArrowKeysStepLikeTheSlider) {
    Knob* knob = addBigKnob(0.5f);
    withContext([&](DrawContext& context) {
        Point where(70, 70);
        EXPECT_TRUE(knob->onWheel(&context, where, 1.0f));
        EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
        headless::input().keyDown[platform::kKeyShift] = true;
        EXPECT_TRUE(knob->onWheel(&context, where, -1.0f));
        EXPECT_FLOAT_EQ(knob->getValue(), 0.59f);
        headless::input().keyDown[platform::kKeyShift] = false;
        EXPECT_TRUE(knob->onWheel(&context, where, 10.0f));
        EXPECT_EQ(knob->getValue(), 1.0f);
    });
    KeyCode key{0, kKeyDown, 0};
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.9f);
    key = KeyCode{0, kKeyUp, kModifierShift};
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.91f);
    key = KeyCode{0, 20, 0};
    EXPECT_EQ(knob->onKeyDown(key), -1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.91f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "begin 7"), 0) << "single steps";
}

TEST_F(KnobTest, DegenerateGeometryAndValuesStayFinite) {
    Knob* flat = addKnob(Rect(30, 30, 30, 30));
    frame->drawView(flat);
    press(30, 30, kLButton);
    EXPECT_FALSE(std::isnan(flat->getValue()));

    Knob* knob = addKnob(Rect(0, 0, 40, 40));
    const Point startPoint(8, 32);
    Point p;
    // Equal bounds, no range angle, or a value that is not a number: the
    // handle sits at the start angle and the mapping gives numbers.
    knob->setMax(0.0f);
    knob->setValue(0.0f);
    knob->valueToPoint(p);
    EXPECT_EQ(p, startPoint);
    Point top(20, 3);
    EXPECT_EQ(knob->pointToValue(top), 0.0f);
    knob->setMax(1.0f);
    knob->setRangeAngle(0.0f);
    knob->valueToPoint(p);
    EXPECT_EQ(p, startPoint);
    EXPECT_FALSE(std::isnan(knob->pointToValue(top)));
    knob->setRangeAngle(-4.712389f);
    knob->setValue(std::numeric_limits<float>::quiet_NaN());
    knob->valueToPoint(p);
    EXPECT_EQ(p, startPoint);
    frame->drawView(knob);

    // A zoom factor of 0 drags Shift plainly rather than by infinity.
    Knob* big = addBigKnob(0.3f);
    big->setZoomFactor(0.0f);
    const int fine = kLButton | kAlt | kShift;
    press(50, 50, fine, {{70, 50, fine}, {0, 0, 0}});
    EXPECT_NEAR(big->getValue(), 0.4f, 1e-6f);
}

} // namespace
