// FilmstripView: the nearest image for each value, values above 1.0 brought
// down for good, and stacks too short to divide.
#include <limits>

#include "gui/controls/filmstrip_view.h"
#include "image_control_test.h"

namespace {

class FilmstripViewTest : public ImageControlTest {
protected:
    FilmstripView* addView(int count, Bitmap* picture = nullptr) {
        return add(
            new FilmstripView(Rect(10, 10, 30, 20), &listener, 0, count, 10, picture, Point(3, 5)));
    }
};

TEST_F(FilmstripViewTest, ShowsTheNearestOfItsImagesBelowTheOffset) {
    FilmstripView* view = addView(5, keep(coordinatePicture(30, 60)));
    const struct {
        float value;
        int image;
    } cases[] = {{0.0f, 0}, {0.1f, 0},  {0.13f, 1},
                 {0.5f, 2}, {0.6f, 2},  {0.65f, 3},
                 {1.0f, 4}, {-2.0f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        view->setValue(c.value);
        EXPECT_EQ(view->imageNumber(), c.image) << c.value;
        frame->drawView(view);
        EXPECT_EQ(sourceAt(10, 10), Point(3, 5 + 10 * c.image)) << c.value;
    }
}

TEST_F(FilmstripViewTest, AValueAboveOneBecomesOneWhenDrawn) {
    FilmstripView* view = addView(5, keep(coordinatePicture(30, 60)));
    view->setValue(1.7f);
    frame->drawView(view);
    EXPECT_EQ(view->getValue(), 1.0f);
    EXPECT_EQ(sourceAt(10, 10), Point(3, 45));
    EXPECT_FALSE(view->isDirty());
}

TEST_F(FilmstripViewTest, OneImageOrNoneShowsTheFirst) {
    for (int count : {1, 0, -1}) {
        FilmstripView* view = addView(count);
        view->setValue(1.0f);
        EXPECT_EQ(view->imageNumber(), 0) << count;
        frame->drawView(view);
    }
}

} // namespace
