// PopupMenuStyle: the sizes it asks for and how it draws an entry: the
// background, the check square, the text colours, a tabbed second column
// and the separator's two lines.
#include "gui/canvas.h"
#include "gui/controls/popup_menu_style.h"
#include "gui/draw_context.h"
#include "platform/system.h"
#include "platform/window.h"

#include <gtest/gtest.h>

namespace {

// Runs before the fixture's canvas makes its window.
struct FreshWindowSystem {
    FreshWindowSystem() { headless::resetWindowSystem(); }
};

class PopupMenuStyleTest : public ::testing::Test, FreshWindowSystem {
protected:
    ~PopupMenuStyleTest() override { style->release(); }
    // An entry at (10, 20) of 120 by 18 pixels, passed as the frame passes it.
    void drawEntry(const char* text, unsigned state) {
        DrawContext context(nullptr, canvas.dc, canvas.window);
        style->drawItem(&context, Rect(10, 20, 130, 39), text, state);
    }
    int count(raster::Box b, platform::ColorValue c) const {
        int n = 0;
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x)
                n += canvas.at(x, y) == c;
        return n;
    }

    Canvas canvas{160, 60};
    PopupMenuStyle* style = new PopupMenuStyle();
    const platform::ColorValue menuColour = platform::systemColor(platform::kColorMenu);
    const platform::ColorValue highlight = platform::systemColor(platform::kColorHighlight);
    const platform::ColorValue ink = platform::systemColor(platform::kColorMenuText);
    const platform::ColorValue selectedInk = platform::systemColor(platform::kColorHighlightText);
    const platform::ColorValue grey = platform::systemColor(platform::kColorGrayText);
    static constexpr raster::Box kEntry{10, 20, 130, 38};
};

TEST_F(PopupMenuStyleTest, TakesItsColoursFromThePlatformAndFontFour) {
    headless::setSystemColor(platform::kColorHighlight, platform::rgb(1, 2, 3));
    PopupMenuStyle* other = new PopupMenuStyle();
    EXPECT_EQ(other->getSelectedBackgroundColor(), (Color{1, 2, 3, 0}));
    EXPECT_EQ(other->getFont(), 4);
    other->release();
    headless::setSystemColor(platform::kColorHighlight, highlight);
}

TEST_F(PopupMenuStyleTest, EntriesAskForTheirTextWidthPlusTheCheckColumn) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    Point size;
    style->getItemSize(&context, "-", size);
    EXPECT_EQ(size.h, 6);
    EXPECT_EQ(size.v, 18);
    context.setFont(4);
    const int width = context.getStringWidth("Open file");
    style->getItemSize(&context, "Open file", size);
    EXPECT_EQ(size.h, width + 18);
    EXPECT_EQ(size.v, 18);
    style->getItemSize(&context, "Open file\tCtrl+O", size);
    EXPECT_EQ(size.h, width + 18 + 8 + 50);
    style->getItemSize(&context, nullptr, size);
    EXPECT_EQ(size.h, 0);
}

TEST_F(PopupMenuStyleTest, BackgroundCoversExactlyTheEntry) {
    drawEntry("", platform::kItemSelected);
    EXPECT_EQ(count(kEntry, highlight), 120 * 18);
    EXPECT_EQ(count(raster::Box{0, 0, 160, 60}, highlight), 120 * 18);
    drawEntry("", 0);
    EXPECT_EQ(count(kEntry, menuColour), 120 * 18);
}

TEST_F(PopupMenuStyleTest, CheckedEntryGetsAnEightPixelSquare) {
    drawEntry("", platform::kItemChecked);
    EXPECT_EQ(count(kEntry, ink), 64);
    EXPECT_EQ(canvas.at(16, 24), ink);
    EXPECT_EQ(canvas.at(23, 31), ink);
    EXPECT_NE(canvas.at(15, 24), ink);
    EXPECT_NE(canvas.at(24, 31), ink);
    drawEntry("", platform::kItemChecked | platform::kItemSelected);
    EXPECT_EQ(count(kEntry, selectedInk), 64);
}

TEST_F(PopupMenuStyleTest, TextColourFollowsTheState) {
    drawEntry("Text", 0);
    EXPECT_GT(count(kEntry, ink), 0);
    drawEntry("Text", platform::kItemDisabled);
    EXPECT_GT(count(kEntry, grey), 0);
    EXPECT_EQ(count(kEntry, ink), 0);
    drawEntry("Text", platform::kItemSelected);
    EXPECT_GT(count(kEntry, selectedInk), 0);
    // The text starts after the check column.
    drawEntry("Text", 0);
    EXPECT_EQ(count(raster::Box{10, 20, 28, 38}, ink), 0);
}

TEST_F(PopupMenuStyleTest, TextAfterATabStartsFiftyPixelsFromTheRight) {
    drawEntry("A\tB", 0);
    EXPECT_GT(count(raster::Box{28, 20, 40, 38}, ink), 0);
    EXPECT_GT(count(raster::Box{80, 20, 130, 38}, ink), 0);
    EXPECT_EQ(count(raster::Box{40, 20, 80, 38}, ink), 0);
}

TEST_F(PopupMenuStyleTest, SeparatorIsABlackAndAWhiteLineAcrossTheMiddle) {
    drawEntry("-", 0);
    // The entry's rows are 20 to 37; the middle is row 28.
    EXPECT_EQ(canvas.at(12, 29), 0x000000u);
    EXPECT_EQ(canvas.at(127, 29), 0x000000u);
    EXPECT_EQ(canvas.at(12, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.at(11, 29), menuColour);
    EXPECT_EQ(canvas.at(128, 29), menuColour);
    EXPECT_EQ(count(kEntry, 0x000000u), 116);
}

} // namespace
