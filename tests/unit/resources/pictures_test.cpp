// The two committed bitmap resources, read back from their BMP files: their
// form, the panel's outline, grooves and lettering boxes, and the handle's
// white ground around a disc without white.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "committed_pictures.h"

namespace {

class Panel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { panel = new GreyPicture(readGreyPicture("background.bmp", 24)); }
    static void TearDownTestSuite() { delete panel; }
    static GreyPicture* panel;
};
GreyPicture* Panel::panel = nullptr;

TEST_F(Panel, IsA268By107TwentyFourBitUncompressedPicture) {
    EXPECT_EQ(panel->width, 268);
    EXPECT_EQ(panel->height, 107);
    EXPECT_EQ(panel->bitsPerPixel, 24);
    EXPECT_EQ(panel->compression, 0);
    ASSERT_EQ(panel->levels.size(), 268u * 107u);
}

TEST_F(Panel, OutlineRingsSitOneInFromEachEdgeWithTheBottomShadedApart) {
    ASSERT_FALSE(panel->levels.empty());
    const int right = 267, bottom = 106;
    for (int x = 0; x <= right; ++x) {
        EXPECT_TRUE(panel->isWhite(x, 0) && panel->isWhite(x, bottom)) << "x " << x;
    }
    for (int y = 0; y <= bottom; ++y) {
        EXPECT_TRUE(panel->isWhite(0, y) && panel->isWhite(right, y)) << "y " << y;
    }
    for (int ring = 0; ring < 3; ++ring) {
        const int in = 1 + ring;
        for (int x = in; x <= right - in; ++x) {
            EXPECT_EQ(panel->grey(x, in), kRingSides[ring]) << "top, ring " << ring << ", x " << x;
            EXPECT_EQ(panel->grey(x, bottom - in), kRingBottoms[ring])
                << "bottom, ring " << ring << ", x " << x;
        }
        for (int y = in; y < bottom - in; ++y) {
            EXPECT_EQ(panel->grey(in, y), kRingSides[ring]) << "left, ring " << ring << ", y " << y;
            EXPECT_EQ(panel->grey(right - in, y), kRingSides[ring])
                << "right, ring " << ring << ", y " << y;
        }
    }
}

TEST_F(Panel, GroovesRunFromTenTo256UnderEachSliderMiddle) {
    ASSERT_FALSE(panel->levels.empty());
    for (const int top : {55, 86}) {
        for (int row = 0; row < 3; ++row) {
            for (int x = 10; x <= 256; ++x) {
                EXPECT_EQ(panel->grey(x, top + row), kGrooveRows[row])
                    << "x " << x << ", y " << top + row;
            }
            EXPECT_TRUE(panel->isWhite(9, top + row));
            EXPECT_TRUE(panel->isWhite(257, top + row));
        }
        EXPECT_TRUE(panel->isWhite(100, top - 1));
        EXPECT_TRUE(panel->isWhite(100, top + 3));
    }
}

TEST_F(Panel, InsideTheOutlineOnlyLetteringAndGroovesAreNotWhite) {
    ASSERT_FALSE(panel->levels.empty());
    for (int y = 4; y <= 102; ++y) {
        for (int x = 4; x <= 263; ++x) {
            if (panel->isWhite(x, y) || kGrooves[0].contains(x, y) || kGrooves[1].contains(x, y)) {
                continue;
            }
            bool inBox = false;
            for (const Lettering& line : kLettering) {
                inBox = inBox || line.box.contains(x, y);
            }
            EXPECT_TRUE(inBox) << "stray pixel at " << x << "," << y;
            // Lettering is mid-grey ink blended towards the white field.
            EXPECT_GE(panel->grey(x, y), 128) << "at " << x << "," << y;
        }
    }
}

TEST_F(Panel, EachLineOfLetteringFillsItsBoxHeightAndMeetsItsAnchor) {
    ASSERT_FALSE(panel->levels.empty());
    for (const Lettering& line : kLettering) {
        const Ink ink =
            inkIn(*panel, line.box.left, line.box.top, line.box.right + 1, line.box.bottom + 1);
        SCOPED_TRACE(line.text);
        EXPECT_EQ(ink.top, line.box.top);
        EXPECT_EQ(ink.bottom, line.box.bottom);
        if (line.anchoredLeft) {
            EXPECT_EQ(ink.left, line.box.left);
        } else {
            EXPECT_EQ(ink.right, line.box.right);
        }
        // Crisp strokes: stems snapped to whole pixels carry the full
        // mid-grey; type smeared across pixel columns has far fewer such.
        EXPECT_GE(ink.cores * 8, ink.inked)
            << ink.cores << " of " << ink.inked << " ink pixels are full";
    }
}

TEST(Handle, IsAFourteenPixelDiscOnWhiteCorners) {
    const GreyPicture handle = readGreyPicture("handle.bmp", 24);
    EXPECT_EQ(handle.bitsPerPixel, 24);
    EXPECT_EQ(handle.compression, 0);
    ASSERT_EQ(handle.width, 14);
    ASSERT_EQ(handle.height, 14);
    ASSERT_EQ(handle.levels.size(), 14u * 14u);

    for (const auto& [x, y] : {std::pair{0, 0}, {13, 0}, {0, 13}, {13, 13}}) {
        EXPECT_TRUE(handle.isWhite(x, y)) << "corner " << x << "," << y;
    }
    // White is left out when the handle is drawn: no pixel of the disc, which
    // reaches at least five pixels out from the middle, may be white.
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            const double dx = x + 0.5 - 7.0, dy = y + 0.5 - 7.0;
            if (dx * dx + dy * dy <= 5.5 * 5.5) {
                EXPECT_FALSE(handle.isWhite(x, y)) << "at " << x << "," << y;
            }
            EXPECT_NE(handle.grey(x, y), -1) << "not grey at " << x << "," << y;
        }
    }
    // Near white in the middle, a darker rim, and darker at the bottom than
    // at the top, on the face and on the rim alike.
    EXPECT_GE(handle.grey(6, 6), 240);
    EXPECT_GT(handle.grey(6, 6), handle.grey(7, 0) + 40);
    EXPECT_LT(handle.grey(7, 11), handle.grey(7, 2));
    EXPECT_LT(handle.grey(7, 13), handle.grey(7, 0));
}

} // namespace
