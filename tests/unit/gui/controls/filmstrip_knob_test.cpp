// FilmstripKnob: which image of the stack each value shows (rounded down to
// a whole image, never past the stack), and the knob's input at its rim.
#include <cmath>
#include <limits>

#include "gui/controls/filmstrip_knob.h"
#include "image_control_test.h"

namespace {

class FilmstripKnobTest : public ImageControlTest {
protected:
    FilmstripKnob* addStrip(int count, int imageHeight, Bitmap* picture = nullptr) {
        return add(new FilmstripKnob(Rect(20, 20, 60, 60), &listener, 2, count, imageHeight,
                                     picture, Point(3, 4)));
    }
};

TEST_F(FilmstripKnobTest, EachValueShowsTheImageOfItsStepReadFromTheLeftEdge) {
    // Five images of 40 pixels: steps of a quarter.
    FilmstripKnob* knob = addStrip(5, 40, keep(coordinatePicture(40, 200)));
    const struct {
        float value;
        int offset;
    } cases[] = {{0.0f, 0},
                 {0.24f, 0},
                 {0.25f, 40},
                 {0.5f, 80},
                 {0.99f, 120},
                 {1.0f, 160},
                 {1.5f, 160},
                 {1.0e30f, 160},
                 {-0.3f, 0},
                 {-1.0e30f, 0},
                 {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        knob->setValue(c.value);
        EXPECT_EQ(knob->imageOffset(), c.offset) << c.value;
        frame->drawView(knob);
        EXPECT_EQ(sourceAt(20, 20), Point(0, c.offset)) << c.value;
        EXPECT_EQ(sourceAt(59, 59), Point(39, c.offset + 39)) << c.value;
    }
}

TEST_F(FilmstripKnobTest, StacksOfOneImageOrNoneAlwaysShowTheFirst) {
    for (int count : {1, 0, -4}) {
        FilmstripKnob* knob = addStrip(count, 40);
        knob->setValue(0.8f);
        EXPECT_EQ(knob->imageOffset(), 0) << count;
    }
    FilmstripKnob* flat = addStrip(5, 0);
    flat->setValue(0.8f);
    EXPECT_EQ(flat->imageOffset(), 0);
    frame->drawView(flat); // no picture: nothing drawn, no crash
    EXPECT_FALSE(flat->isDirty());
}

TEST_F(FilmstripKnobTest, TakesTheKnobsInputWithTheCircleAtTheRim) {
    FilmstripKnob* knob = addStrip(5, 40);
    EXPECT_EQ(knob->getInset(), 0);
    Point p;
    knob->setValue(0.5f);
    knob->valueToPoint(p);
    EXPECT_EQ(p, Point(20, 0));
    frame->drawView(knob);
    press(40, 21, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.01f);
    KeyCode up{0, kKeyUp, 0};
    EXPECT_EQ(knob->onKeyDown(up), 1);
    EXPECT_NEAR(knob->getValue(), 0.6f, 0.01f);
    EXPECT_EQ(log.front(), "begin 2");
}

} // namespace
