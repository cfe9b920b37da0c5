#include <gtest/gtest.h>

#include "gui/geometry.h"
#include "gui/view.h"

namespace {

TEST(Geometry, IsInsideLeavesOutRightAndBottomEdges) {
    const Rect r(0, 0, 10, 10);
    EXPECT_TRUE(Point(0, 0).isInside(r));
    EXPECT_TRUE(Point(9, 9).isInside(r));
    EXPECT_FALSE(Point(10, 5).isInside(r));
    EXPECT_FALSE(Point(5, 10).isInside(r));
    EXPECT_FALSE(Point(-1, 5).isInside(r));
    EXPECT_FALSE(Point(10, 10).isInside(r));
}

TEST(Geometry, ViewHitTestIncludesEveryEdgeWherePointTestDoesNot) {
    View view(Rect(0, 0, 10, 10));
    EXPECT_FALSE(Point(10, 10).isInside(Rect(0, 0, 10, 10)));
    EXPECT_TRUE(view.hitTest(Point(10, 10)));
    EXPECT_FALSE(view.hitTest(Point(11, 10)));
}

TEST(Geometry, EmptyRectangles) {
    EXPECT_TRUE(Rect(5, 5, 5, 9).isEmpty());
    EXPECT_TRUE(Rect(5, 5, 9, 5).isEmpty());
    EXPECT_TRUE(Rect(9, 0, 5, 10).isEmpty());
    EXPECT_FALSE(Rect(0, 0, 1, 1).isEmpty());
    EXPECT_EQ(Rect(3, 4, 13, 24).getWidth(), 10);
    EXPECT_EQ(Rect(3, 4, 13, 24).getHeight(), 20);
    EXPECT_EQ(Rect(9, 0, 5, 10).getWidth(), -4);
}

TEST(Geometry, BoundClipsToTheOtherRectangle) {
    Rect r(0, 0, 100, 50);
    r.bound(Rect(10, 20, 60, 200));
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 50);
}

TEST(Geometry, BoundOfDisjointRectanglesKeepsTopLeftWithZeroSize) {
    Rect r(0, 0, 10, 10);
    r.bound(Rect(20, 20, 30, 30));
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 20);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_TRUE(r.isEmpty());
}

TEST(Geometry, ColourConstants) {
    EXPECT_EQ(colorWhite, (Color{255, 255, 255, 0}));
    EXPECT_EQ(colorGrey, (Color{127, 127, 127, 0}));
    EXPECT_EQ(colorMagenta, (Color{255, 0, 255, 0}));
    EXPECT_EQ(colorCyan, (Color{0, 255, 255, 0}));
    EXPECT_NE(colorRed, colorBlue);
}

} // namespace
