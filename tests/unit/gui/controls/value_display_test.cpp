// ValueDisplay: the text of its value, its background, bevels, shadow, font
// and alignment, and which setters ask for a redraw.
#include <cstring>
#include <functional>
#include <string>

#include "controls_test.h"
#include "gui/bitmap.h"
#include "gui/controls/text_field.h"
#include "gui/controls/value_display.h"
#include "gui/offscreen_context.h"
#include "platform/graphics.h"

namespace {

const Rect kBox(20, 30, 120, 50);

class ValueDisplayTest : public ControlsTest {
protected:
    ValueDisplay* display(int style = 0) {
        auto* d = add(new ValueDisplay(kBox, nullptr, style));
        colour(d);
        return d;
    }
    template <typename T> static void colour(T* d) {
        d->setFontColor(colorWhite);
        d->setFillColor(colorBlue);
        d->setFrameColor(colorYellow);
        d->setShadowColor(colorRed);
    }
    void draw(View* v) { frame->drawView(v); }
    // The smallest box around the pixels of colour p inside the display.
    raster::Box boxOf(raster::Pixel p) const {
        raster::Box b{1 << 20, 1 << 20, -1, -1};
        for (int y = kBox.top; y <= kBox.bottom + 1; ++y)
            for (int x = kBox.left; x <= kBox.right + 1; ++x)
                if (at(x, y) == p) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    std::string pixels() const {
        std::string s;
        for (int y = kBox.top; y <= kBox.bottom; ++y)
            for (int x = kBox.left; x <= kBox.right; ++x)
                s += std::to_string(at(x, y)) + ",";
        return s;
    }
};

constexpr raster::Pixel kWhitePixel = 0xFFFFFF;
constexpr raster::Pixel kBluePixel = 0xFF0000;
constexpr raster::Pixel kYellowPixel = 0x00FFFF;
constexpr raster::Pixel kRedPixel = 0x0000FF;

TEST_F(ValueDisplayTest, ShowsAHalfAsTwoDecimals) {
    ValueDisplay* d = display();
    char text[kDisplayTextSize];
    d->valueText(0.5f, text);
    EXPECT_STREQ(text, "0.50");
    d->setValue(0.5f);
    draw(d);
    const std::string shown = pixels();

    // The same face as a text field showing "0.50", unlike one showing "0.5".
    frame->removeView(d);
    auto* same = add(new TextField(kBox, nullptr, 0, "0.50"));
    colour(same);
    draw(same);
    EXPECT_EQ(pixels(), shown);
    same->setText("0.5");
    draw(same);
    EXPECT_NE(pixels(), shown);
}

TEST_F(ValueDisplayTest, CallbacksTurnTheValueIntoText) {
    ValueDisplay* d = display();
    char text[kDisplayTextSize];
    d->setValueToText([](float v, char* out) { std::strcpy(out, v > 0.4f ? "on" : "off"); });
    d->valueText(0.5f, text);
    EXPECT_STREQ(text, "on");
    // The one with a user word wins over the plain one.
    static void* seen = nullptr;
    int word = 0;
    d->setValueToTextWithData(
        [](float, char* out, void* data) {
            seen = data;
            std::strcpy(out, "data");
        },
        &word);
    d->valueText(0.5f, text);
    EXPECT_STREQ(text, "data");
    EXPECT_EQ(seen, &word);
    // A callback that fills the whole buffer without a zero still ends the text.
    d->setValueToTextWithData(
        [](float, char* out, void*) { std::memset(out, 'x', kDisplayTextSize); }, nullptr);
    d->valueText(0.5f, text);
    EXPECT_EQ(std::strlen(text), 255u);
}

TEST_F(ValueDisplayTest, WithoutPictureFillsAndFramesItsBounds) {
    ValueDisplay* d = display(styleNoText);
    draw(d);
    EXPECT_EQ(at(kBox.left + 5, kBox.top + 5), kBluePixel);
    // The outline covers both edges of each axis.
    EXPECT_EQ(at(kBox.left, kBox.top + 5), kYellowPixel);
    EXPECT_EQ(at(kBox.right, kBox.top + 5), kYellowPixel);
    EXPECT_EQ(at(kBox.left + 5, kBox.top), kYellowPixel);
    EXPECT_EQ(at(kBox.left + 5, kBox.bottom), kYellowPixel);
    EXPECT_EQ(countIn(kBox, kWhitePixel), 0);
}

TEST_F(ValueDisplayTest, BevelsColourOppositeEdgesInFillAndFrameColours) {
    struct Case {
        int style;
        raster::Pixel leftTop;
        raster::Pixel rightBottom;
    };
    for (const Case c : {Case{styleBevelIn, kBluePixel, kYellowPixel},
                         Case{styleBevelOut, kYellowPixel, kBluePixel}}) {
        ValueDisplay* d = display(styleNoText | c.style);
        frame->setBackground(nullptr);
        draw(d);
        EXPECT_EQ(at(kBox.left, kBox.top + 8), c.leftTop) << c.style;
        EXPECT_EQ(at(kBox.left + 8, kBox.top), c.leftTop) << c.style;
        EXPECT_EQ(at(kBox.right, kBox.top + 8), c.rightBottom) << c.style;
        EXPECT_EQ(at(kBox.left + 8, kBox.bottom), c.rightBottom) << c.style;
        EXPECT_EQ(at(kBox.left + 8, kBox.top + 8), kBluePixel) << c.style;
        frame->removeView(d);
    }
}

TEST_F(ValueDisplayTest, NoDrawStyleDrawsNothingAndStartsClean) {
    ValueDisplay* d = add(new ValueDisplay(kBox, nullptr, styleNoDraw));
    EXPECT_FALSE(d->isDirty());
    draw(d);
    EXPECT_EQ(countIn(Rect(0, 0, 300, 200), 0x000000), 300 * 200);
    d->setValue(0.7f);
    EXPECT_TRUE(d->isDirty());
    draw(d);
    EXPECT_FALSE(d->isDirty());
}

TEST_F(ValueDisplayTest, ShadowTextLiesOnePixelRightAndDown) {
    ValueDisplay* d = display();
    d->setValue(0.25f);
    draw(d);
    EXPECT_EQ(countIn(Rect(0, 0, 300, 200), kRedPixel), 0);
    const raster::Box text = boxOf(kWhitePixel);
    d->setStyle(styleShadowText);
    draw(d);
    const raster::Box shadow = boxOf(kRedPixel);
    ASSERT_LT(shadow.left, shadow.right);
    EXPECT_EQ(shadow.right, text.right + 1);
    EXPECT_EQ(shadow.bottom, text.bottom + 1);
}

TEST_F(ValueDisplayTest, TransparentDisplayLeavesWhatIsUnderIt) {
    ValueDisplay* d = display();
    d->setTransparent(true);
    draw(d);
    EXPECT_EQ(countIn(kBox, kBluePixel), 0);
    EXPECT_EQ(countIn(kBox, kYellowPixel), 0);
    EXPECT_GT(countIn(kBox, kWhitePixel), 0);
}

TEST_F(ValueDisplayTest, PictureReplacesTheFillAndOpaqueTextSitsOnTheFillColour) {
    auto* picture = new Bitmap(200, 100);
    {
        DrawContext screen(nullptr, nullptr, nullptr);
        OffscreenContext paint(&screen, picture, true);
        paint.setFillColor(colorMagenta);
        paint.fillRect(Rect(-1, -1, 200, 100));
    }
    ValueDisplay* d = display();
    d->setBackground(picture);
    picture->release();
    draw(d);
    EXPECT_EQ(countIn(kBox, kBluePixel), 0);
    EXPECT_EQ(at(kBox.left + 2, kBox.top + 2), 0xFF00FFu);
    d->setTextTransparency(false);
    draw(d);
    EXPECT_GT(countIn(kBox, kBluePixel), 0);
}

TEST_F(ValueDisplayTest, DrawsInItsFontNumberAndFace) {
    ValueDisplay* d = display();
    d->setFont(5);
    d->setTextFace(kItalicFace | kBoldFace);
    platform::DeviceContext dc = platform::getDC(frame->getWindow());
    {
        DrawContext context(frame, dc, frame->getWindow());
        d->draw(&context);
        const platform::FontDescription* font = headless::selectedFontOf(dc);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->height, -10);
        EXPECT_EQ(font->weight, 700);
        EXPECT_EQ(font->italic, 1);
        EXPECT_STREQ(font->faceName, "Arial");
    }
    platform::releaseDC(frame->getWindow(), dc);
}

TEST_F(ValueDisplayTest, AlignmentPlacesTheText) {
    ValueDisplay* d = display();
    d->setAlignment(kLeftText);
    draw(d);
    const raster::Box left = boxOf(kWhitePixel);
    d->setAlignment(kRightText);
    draw(d);
    const raster::Box right = boxOf(kWhitePixel);
    d->setAlignment(kCenterText);
    draw(d);
    const raster::Box centre = boxOf(kWhitePixel);
    EXPECT_LE(left.left, kBox.left + 3);
    EXPECT_GE(right.right, kBox.right - 2);
    EXPECT_LT(left.left, centre.left);
    EXPECT_LT(centre.left, right.left);
}

TEST_F(ValueDisplayTest, LookSettersAskForARedrawOnlyWhenTheyChangeSomething) {
    ValueDisplay* d = display();
    const std::vector<std::pair<const char*, std::function<void(bool change)>>> setters = {
        {"font", [d](bool c) { d->setFont(c ? 1 : d->getFont()); }},
        {"font colour", [d](bool c) { d->setFontColor(c ? colorCyan : d->getFontColor()); }},
        {"fill colour", [d](bool c) { d->setFillColor(c ? colorGreen : d->getFillColor()); }},
        {"frame colour", [d](bool c) { d->setFrameColor(c ? colorGrey : d->getFrameColor()); }},
        {"shadow colour", [d](bool c) { d->setShadowColor(c ? colorBlack : d->getShadowColor()); }},
        {"alignment", [d](bool c) { d->setAlignment(c ? kRightText : d->getAlignment()); }},
        {"style", [d](bool c) { d->setStyle(c ? styleShadowText : d->getStyle()); }},
        {"face", [d](bool c) { d->setTextFace(c ? kUnderlineFace : d->getTextFace()); }},
    };
    for (const auto& [name, set] : setters) {
        draw(d);
        set(false);
        EXPECT_FALSE(d->isDirty()) << name << " unchanged";
        set(true);
        EXPECT_TRUE(d->isDirty()) << name << " changed";
    }
    draw(d);
    d->setTextTransparency(false);
    d->setUserData(d);
    d->setValueToText([](float, char* out) { out[0] = 0; });
    EXPECT_FALSE(d->isDirty());
}

TEST_F(ValueDisplayTest, DrawsWithoutAContextOrAnAreaWithoutHarm) {
    ValueDisplay* d = display();
    d->draw(nullptr);
    EXPECT_FALSE(d->isDirty());
    auto* empty = add(new ValueDisplay(Rect(50, 60, 50, 60)));
    draw(empty);
    EXPECT_FALSE(empty->isDirty());
}

} // namespace
