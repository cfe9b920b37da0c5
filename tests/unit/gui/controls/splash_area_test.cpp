// SplashArea: the click that opens the picture as the frame's modal view and
// the click on it that closes it, the left-button hit test with every edge,
// a refused modal view, and closing from the program.
#include "gui/controls/splash_area.h"
#include "image_control_test.h"
#include "test_views.h"

namespace {

class SplashAreaTest : public ImageControlTest {
protected:
    SplashAreaTest() {
        frame->setBackground(keep(plainPicture(200, 160, colorBlue)));
        splash = add(new SplashArea(kArea, &listener, 11, keep(coordinatePicture(120, 100)),
                                    kSplash, Point(6, 8)));
        frame->drawView(nullptr);
    }
    Rect boundsOf(View* view) const {
        Rect r;
        return view->getBounds(r);
    }

    const Rect kArea{10, 10, 30, 20};
    const Rect kSplash{40, 30, 140, 110};
    SplashArea* splash;
};

bool sameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(SplashAreaTest, AClickShowsThePictureAsTheModalViewAndAnotherClosesIt) {
    EXPECT_EQ(pixel(40, 30), 0xFF0000u) << "blue panel, nothing shown";
    press(30, 20, kLButton); // the corner: edges belong to the area
    EXPECT_EQ(splash->getValue(), 1.0f);
    EXPECT_EQ(frame->getModalView(), splash);
    EXPECT_TRUE(sameRect(boundsOf(splash), kSplash));
    EXPECT_EQ(sourceAt(40, 30), Point(6, 8));
    EXPECT_EQ(sourceAt(139, 109), Point(105, 87));
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});

    press(15, 15, kLButton);
    EXPECT_EQ(splash->getValue(), 1.0f) << "the modal picture takes every press";
    press(100, 100, kLButton);
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_TRUE(sameRect(boundsOf(splash), kArea));
    EXPECT_EQ(pixel(100, 100), 0xFF0000u) << "the frame redrew everything";
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(SplashAreaTest, OnlyTheLeftButtonInsideTheAreaHits) {
    EXPECT_TRUE(splash->hitTest(Point(10, 10), kLButton));
    EXPECT_TRUE(splash->hitTest(Point(30, 20), kLButton | kShift));
    EXPECT_FALSE(splash->hitTest(Point(31, 20), kLButton));
    EXPECT_FALSE(splash->hitTest(Point(15, 15), kRButton));
    press(15, 15, kRButton);
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_TRUE(listener.values.empty());
}

TEST_F(SplashAreaTest, WhenAnotherViewIsModalTheClickDoesNothing) {
    auto* other = new RecordingView(Rect(0, 0, 5, 5));
    ASSERT_TRUE(frame->setModalView(other));
    withContext([&](DrawContext& context) {
        Point where(15, 15);
        MouseScript held(Point(kScreenX, kScreenY), {{15, 15, kLButton}});
        splash->onMouseDown(&context, where);
    });
    EXPECT_EQ(splash->getValue(), 0.0f) << "not shown, so not open";
    EXPECT_TRUE(sameRect(boundsOf(splash), kArea));
    EXPECT_TRUE(listener.values.empty());
    frame->setModalView(nullptr);
    other->release();
}

TEST_F(SplashAreaTest, ClosingFromTheProgramRestoresEverything) {
    splash->closeSplash(); // closed already: nothing happens
    EXPECT_TRUE(sameRect(boundsOf(splash), kArea));
    press(15, 15, kLButton);
    ASSERT_EQ(frame->getModalView(), splash);
    splash->closeSplash();
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_TRUE(sameRect(boundsOf(splash), kArea));
    EXPECT_EQ(pixel(100, 100), 0xFF0000u);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f}) << "closing from the program is not news";
}

} // namespace
