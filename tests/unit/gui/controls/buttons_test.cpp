// FilmstripButton and MomentaryButton: their two images, the press that
// can be taken back by leaving the button, the brackets, and the momentary
// button's return to 0.0 that the listener always hears.
#include <limits>

#include "gui/controls/filmstrip_button.h"
#include "gui/controls/momentary_button.h"
#include "image_control_test.h"

namespace {

class ButtonTest : public ImageControlTest {
protected:
    // 20 by 10 at (10, 10); every edge belongs to it.
    FilmstripButton* addFilmstrip(Bitmap* picture = nullptr) {
        auto* b =
            add(new FilmstripButton(Rect(10, 10, 30, 20), &listener, 8, 10, picture, Point(4, 4)));
        frame->drawView(b);
        return b;
    }
    MomentaryButton* addMomentary(Bitmap* picture = nullptr) {
        auto* b =
            add(new MomentaryButton(Rect(10, 10, 30, 20), &listener, 9, 10, picture, Point(4, 4)));
        frame->drawView(b);
        return b;
    }
};

TEST_F(ButtonTest, FilmstripButtonClampsThenShowsTheUpperImageOnlyForZero) {
    FilmstripButton* b = addFilmstrip(keep(coordinatePicture(20, 20)));
    const struct {
        float value;
        float clamped;
        int top;
    } cases[] = {{0.0f, 0.0f, 0},  {1.0f, 1.0f, 10},
                 {0.3f, 0.3f, 10}, {1.5f, 1.0f, 10},
                 {-2.0f, 0.0f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0.0f, 0}};
    for (const auto& c : cases) {
        b->setValue(c.value);
        frame->drawView(b);
        EXPECT_EQ(b->getValue(), c.clamped) << c.value;
        EXPECT_EQ(sourceAt(10, 10), Point(0, c.top)) << c.value << ": read from the left edge";
    }
}

TEST_F(ButtonTest, FilmstripButtonFlipsWhileThePointerIsOnIt) {
    FilmstripButton* b = addFilmstrip();
    press(15, 15, kLButton);
    EXPECT_EQ(b->getValue(), 1.0f);
    press(15, 15, kLButton);
    EXPECT_EQ(b->getValue(), 0.0f);
    EXPECT_EQ(log, (Log{"begin 8", "value 1", "end 8", "begin 8", "value 0", "end 8"}));

    // Off the button the press value comes back; edges still count as on.
    log.clear();
    press(15, 15, kLButton,
          {{31, 15, kLButton}, {30, 20, kLButton}, {50, 50, kLButton}, {0, 0, 0}});
    EXPECT_EQ(log, (Log{"begin 8", "value 1", "value 0", "value 1", "value 0", "end 8"}));
    EXPECT_EQ(b->getValue(), 0.0f) << "let go off the button: taken back";

    // Another button or modifier joining in ends the press where it is.
    press(15, 15, kLButton, {{50, 50, kLButton | kShift}, {0, 0, 0}});
    EXPECT_EQ(b->getValue(), 1.0f);
}

TEST_F(ButtonTest, MomentaryButtonIsOnOnlyWhileHeld) {
    MomentaryButton* b = addMomentary(keep(coordinatePicture(30, 30)));
    press(15, 15, kLButton, {{50, 15, kLButton}, {20, 15, kLButton}, {0, 0, 0}});
    EXPECT_EQ(log, (Log{"begin 9", "value 1", "value 0", "value 1", "value 0", "end 9"}));
    EXPECT_EQ(b->getValue(), 0.0f);

    // Released off the button it still tells 0.0 last.
    log.clear();
    press(15, 15, kLButton, {{50, 15, kLButton}, {0, 0, 0}});
    EXPECT_EQ(log, (Log{"begin 9", "value 1", "value 0", "value 0", "end 9"}));
}

TEST_F(ButtonTest, MomentaryButtonWithAModifierFlipsOnceWithoutABracket) {
    MomentaryButton* b = addMomentary();
    press(15, 15, kLButton | kShift, {{50, 50, kLButton | kShift}, {0, 0, 0}});
    EXPECT_EQ(log, (Log{"value 1", "value 0"}));
    EXPECT_EQ(b->getValue(), 0.0f);
    log.clear();
    press(15, 15, kRButton);
    EXPECT_TRUE(log.empty());
}

TEST_F(ButtonTest, MomentaryButtonDrawsItsTwoImagesBelowTheOffset) {
    MomentaryButton* b = addMomentary(keep(coordinatePicture(30, 30)));
    EXPECT_EQ(sourceAt(10, 10), Point(4, 4));
    b->setValue(0.5f);
    frame->drawView(b);
    EXPECT_EQ(sourceAt(10, 10), Point(4, 14));
    EXPECT_EQ(sourceAt(29, 19), Point(23, 23));
    b->setValue(-3.0f);
    frame->drawView(b);
    EXPECT_EQ(b->getValue(), 0.0f);
    EXPECT_EQ(sourceAt(10, 10), Point(4, 4));
}

} // namespace
