// The committed pictures at every larger scale the editor offers, read back
// from their 8-bit BMP files: sizes and form, the panel's outline rings,
// grooves and lettering where the scaled layout puts them, crisp strokes,
// and the handle's disc on white corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "committed_pictures.h"
#include "gui/scale.h"

namespace {

std::string percent(double s) {
    return std::to_string(std::lround(s * 100.0));
}

// Unit edges as device pixels, as the editor maps them.
int px(int units, double s) {
    return scale::toDevice(units, s);
}

class ScaledPictures : public ::testing::TestWithParam<double> {
protected:
    static void SetUpTestSuite() {
        for (double s : scale::kOffered)
            if (s != 1.0)
                panels.push_back(readGreyPicture("background-" + percent(s) + ".bmp", 8));
    }
    const GreyPicture& panel() const {
        const double s = GetParam();
        int index = 0;
        for (double offered : scale::kOffered)
            if (offered != 1.0 && offered < s)
                ++index;
        return panels[static_cast<std::size_t>(index)];
    }
    static std::vector<GreyPicture> panels;
};
std::vector<GreyPicture> ScaledPictures::panels;

TEST_P(ScaledPictures, ThePanelHasTheScaledSizeInGreys) {
    const double s = GetParam();
    const GreyPicture& p = panel();
    ASSERT_EQ(p.width, px(268, s));
    ASSERT_EQ(p.height, px(107, s));
    EXPECT_EQ(std::count(p.levels.begin(), p.levels.end(), -1), 0);
}

TEST_P(ScaledPictures, OutlineRingsAndGroovesCoverTheirUnitsScaled) {
    const double s = GetParam();
    const GreyPicture& p = panel();
    ASSERT_EQ(p.width, px(268, s));
    for (int ring = 0; ring < 3; ++ring) {
        const int in = 1 + ring;
        // Every pixel row of the ring's unit, along the top and the bottom.
        for (int y = px(in, s); y < px(in + 1, s); ++y)
            EXPECT_EQ(p.grey(p.width / 2, y), kRingSides[ring])
                << "top ring " << ring << ", y " << y;
        for (int y = px(106 - in, s); y < px(107 - in, s); ++y)
            EXPECT_EQ(p.grey(p.width / 2, y), kRingBottoms[ring]) << "bottom ring " << ring;
        for (int x = px(in, s); x < px(in + 1, s); ++x)
            EXPECT_EQ(p.grey(x, p.height / 2), kRingSides[ring])
                << "left ring " << ring << ", x " << x;
    }
    EXPECT_TRUE(p.isWhite(0, 0));
    EXPECT_TRUE(p.isWhite(px(1, s) - 1, p.height / 2));
    for (const int top : {55, 86})
        for (int row = 0; row < 3; ++row)
            for (int y = px(top + row, s); y < px(top + row + 1, s); ++y) {
                for (int x = px(10, s); x < px(257, s); ++x)
                    ASSERT_EQ(p.grey(x, y), kGrooveRows[row]) << "groove at " << x << "," << y;
                EXPECT_TRUE(p.isWhite(px(10, s) - 1, y));
                EXPECT_TRUE(p.isWhite(px(257, s), y));
            }
}

// Set again at the scale, the lettering stays inside its scaled box, fills
// its height within a pixel, meets its anchor and keeps crisp full-ink stems.
TEST_P(ScaledPictures, LetteringIsSetAgainInsideItsScaledBoxWithCrispStems) {
    const double s = GetParam();
    const GreyPicture& p = panel();
    ASSERT_EQ(p.width, px(268, s));
    const auto inside = [s](const Box& b, int x, int y) {
        return x >= px(b.left, s) && x < px(b.right + 1, s) && y >= px(b.top, s) &&
               y < px(b.bottom + 1, s);
    };
    int stray = 0;
    for (int y = px(4, s); y < px(103, s); ++y)
        for (int x = px(4, s); x < px(264, s); ++x) {
            if (p.isWhite(x, y) || inside(kGrooves[0], x, y) || inside(kGrooves[1], x, y))
                continue;
            bool inBox = false;
            for (const Lettering& line : kLettering)
                inBox = inBox || inside(line.box, x, y);
            stray += !inBox;
        }
    EXPECT_EQ(stray, 0);
    for (const Lettering& line : kLettering) {
        SCOPED_TRACE(line.text);
        const Ink ink = inkIn(p, px(line.box.left, s), px(line.box.top, s),
                              px(line.box.right + 1, s), px(line.box.bottom + 1, s));
        const int boxHeight = px(line.box.bottom + 1, s) - px(line.box.top, s);
        EXPECT_GE(ink.bottom - ink.top + 1, boxHeight - 2);
        if (line.anchoredLeft) {
            EXPECT_EQ(ink.left, px(line.box.left, s));
        } else {
            EXPECT_EQ(ink.right, px(line.box.right + 1, s) - 1);
        }
        EXPECT_GE(ink.cores * 8, ink.inked)
            << ink.cores << " of " << ink.inked << " ink pixels are full";
    }
}

TEST_P(ScaledPictures, TheHandleIsADiscOnWhiteCornersWithoutWhiteInside) {
    const double s = GetParam();
    const GreyPicture h = readGreyPicture("handle-" + percent(s) + ".bmp", 8);
    // Rounded down: no 14-unit slot has fewer pixels at the scale.
    const int size = static_cast<int>(std::floor(14 * s));
    ASSERT_EQ(h.width, size);
    ASSERT_EQ(h.height, size);
    const int last = size - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
        EXPECT_TRUE(h.isWhite(x, y)) << "corner " << x << "," << y;
    const double middle = size / 2.0;
    const double disc = 5.5 * s;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - middle, dy = y + 0.5 - middle;
            if (dx * dx + dy * dy <= disc * disc) {
                EXPECT_FALSE(h.isWhite(x, y)) << "at " << x << "," << y;
            }
            EXPECT_NE(h.grey(x, y), -1);
        }
}

INSTANTIATE_TEST_SUITE_P(Offered, ScaledPictures, ::testing::Values(1.25, 1.5, 1.75, 2.0, 2.5, 3.0),
                         [](const ::testing::TestParamInfo<double>& scaleInfo) {
                             return "at" + percent(scaleInfo.param);
                         });

} // namespace
