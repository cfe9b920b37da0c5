// The committed pictures at every larger scale the editor offers, read back
// from their 8-bit BMP files: sizes and form, the panel's outline rings,
// grooves and lettering where the scaled layout puts them, crisp strokes,
// and the handle's disc on white corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gui/scale.h"

namespace {

// An 8-bit picture's grey levels, top-down; -1 where a palette entry is
// not grey. Empty unless the file is an uncompressed 8-bit BMP.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<int> levels;
    int at(int x, int y) const { return levels[static_cast<std::size_t>(y * width + x)]; }
    bool isWhite(int x, int y) const { return at(x, y) == 255; }
};

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

GreyPicture readGreyBmp(const std::string& name) {
    GreyPicture p;
    std::ifstream file(std::string(TARVEL_RESOURCES_DIR) + "/" + name, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
    if (b.size() < 54 + 1024 || b[0] != 'B' || b[1] != 'M' || read32(b, 14) != 40 ||
        read32(b, 2) != b.size() || (b[28] | b[29] << 8) != 8 || read32(b, 30) != 0)
        return p;
    const int width = static_cast<int>(read32(b, 18));
    const int height = static_cast<int>(read32(b, 22));
    const std::size_t offset = read32(b, 10);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    if (width <= 0 || height <= 0 ||
        offset + rowBytes * static_cast<std::size_t>(height) != b.size())
        return p;
    const std::size_t palette = 14 + 40;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t index =
                b[offset + rowBytes * static_cast<std::size_t>(height - 1 - y) +
                  static_cast<std::size_t>(x)];
            const std::uint8_t* entry = &b[palette + 4 * index];
            p.levels.push_back(entry[0] == entry[1] && entry[1] == entry[2] ? entry[0] : -1);
        }
    return p;
}

std::string percent(double s) {
    return std::to_string(std::lround(s * 100.0));
}

// Unit edges as device pixels, as the editor maps them.
int px(int units, double s) {
    return scale::toDevice(units, s);
}

struct Box {
    int left, top, right, bottom; // inclusive, in units
};

class ScaledPictures : public ::testing::TestWithParam<double> {
protected:
    static void SetUpTestSuite() {
        for (double s : scale::kOffered)
            if (s != 1.0)
                panels.push_back(readGreyBmp("background-" + percent(s) + ".bmp"));
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
    const int sides[3] = {232, 141, 232};
    const int bottoms[3] = {232, 157, 249};
    for (int ring = 0; ring < 3; ++ring) {
        const int in = 1 + ring;
        // Every pixel row of the ring's unit, along the top and the bottom.
        for (int y = px(in, s); y < px(in + 1, s); ++y)
            EXPECT_EQ(p.at(p.width / 2, y), sides[ring]) << "top ring " << ring << ", y " << y;
        for (int y = px(106 - in, s); y < px(107 - in, s); ++y)
            EXPECT_EQ(p.at(p.width / 2, y), bottoms[ring]) << "bottom ring " << ring;
        for (int x = px(in, s); x < px(in + 1, s); ++x)
            EXPECT_EQ(p.at(x, p.height / 2), sides[ring]) << "left ring " << ring << ", x " << x;
    }
    EXPECT_TRUE(p.isWhite(0, 0));
    EXPECT_TRUE(p.isWhite(px(1, s) - 1, p.height / 2));
    const int rows[3] = {232, 157, 249};
    for (const int top : {55, 86})
        for (int row = 0; row < 3; ++row)
            for (int y = px(top + row, s); y < px(top + row + 1, s); ++y) {
                for (int x = px(10, s); x < px(257, s); ++x)
                    ASSERT_EQ(p.at(x, y), rows[row]) << "groove at " << x << "," << y;
                EXPECT_TRUE(p.isWhite(px(10, s) - 1, y));
                EXPECT_TRUE(p.isWhite(px(257, s), y));
            }
}

const struct {
    const char* text;
    Box box;
    bool anchoredLeft;
} lettering[] = {
    {"Tarvel", {10, 10, 115, 26}, true},
    {"Ostrand", {160, 11, 256, 24}, false},
    {"New Cycle Volume", {11, 34, 256, 47}, true},
    {"Input Volume", {11, 65, 256, 78}, true},
};

// Set again at the scale, the lettering stays inside its scaled box, fills
// its height within a pixel, meets its anchor and keeps crisp full-ink stems.
TEST_P(ScaledPictures, LetteringIsSetAgainInsideItsScaledBoxWithCrispStems) {
    const double s = GetParam();
    const GreyPicture& p = panel();
    ASSERT_EQ(p.width, px(268, s));
    const Box grooves[2] = {{10, 55, 256, 57}, {10, 86, 256, 88}};
    const auto inside = [s](const Box& b, int x, int y) {
        return x >= px(b.left, s) && x < px(b.right + 1, s) && y >= px(b.top, s) &&
               y < px(b.bottom + 1, s);
    };
    int stray = 0;
    for (int y = px(4, s); y < px(103, s); ++y)
        for (int x = px(4, s); x < px(264, s); ++x) {
            if (p.isWhite(x, y) || inside(grooves[0], x, y) || inside(grooves[1], x, y))
                continue;
            bool inBox = false;
            for (const auto& line : lettering)
                inBox = inBox || inside(line.box, x, y);
            stray += !inBox;
        }
    EXPECT_EQ(stray, 0);
    for (const auto& line : lettering) {
        SCOPED_TRACE(line.text);
        int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1, inked = 0, cores = 0;
        for (int y = px(line.box.top, s); y < px(line.box.bottom + 1, s); ++y)
            for (int x = px(line.box.left, s); x < px(line.box.right + 1, s); ++x) {
                if (p.isWhite(x, y))
                    continue;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
                ++inked;
                cores += p.at(x, y) == 128;
            }
        const int boxHeight = px(line.box.bottom + 1, s) - px(line.box.top, s);
        EXPECT_GE(bottom - top + 1, boxHeight - 2);
        if (line.anchoredLeft) {
            EXPECT_EQ(left, px(line.box.left, s));
        } else {
            EXPECT_EQ(right, px(line.box.right + 1, s) - 1);
        }
        EXPECT_GE(cores * 8, inked) << cores << " of " << inked << " ink pixels are full";
    }
}

TEST_P(ScaledPictures, TheHandleIsADiscOnWhiteCornersWithoutWhiteInside) {
    const double s = GetParam();
    const GreyPicture h = readGreyBmp("handle-" + percent(s) + ".bmp");
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
            EXPECT_NE(h.at(x, y), -1);
        }
}

INSTANTIATE_TEST_SUITE_P(Offered, ScaledPictures, ::testing::Values(1.25, 1.5, 1.75, 2.0, 2.5, 3.0),
                         [](const ::testing::TestParamInfo<double>& scaleInfo) {
                             return "at" + percent(scaleInfo.param);
                         });

} // namespace
