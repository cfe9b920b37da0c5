// What a drawing context asks of the platform and when: its defaults, the
// objects it makes and frees, fonts, text and the input questions.
#include <gtest/gtest.h>

#include <cstring>

#include "canvas.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/toolkit_state.h"
#include "platform/system.h"

namespace {

class DrawContextState : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetInput();
        headless::resetCallCounts();
        swappedButtons = false;
    }
    Canvas canvas;
};

TEST_F(DrawContextState, NewContextSetsUpPenBrushAndColours) {
    const int objectsBefore = headless::liveObjectCount();
    {
        DrawContext context(nullptr, canvas.dc, canvas.window);
        EXPECT_EQ(headless::callCount("GetCurrentObject"), 3);
        EXPECT_EQ(headless::callCount("SetBkMode"), 1);
        EXPECT_EQ(headless::callCount("CreatePenIndirect"), 2); // frame colour, then line style
        EXPECT_EQ(headless::callCount("CreateBrushIndirect"), 1);
        EXPECT_EQ(headless::callCount("SetTextColor"), 1);
        EXPECT_EQ(headless::callCount("CreateFontIndirectA"), 0);
        EXPECT_EQ(headless::callCount("SetROP2"), 0);
        EXPECT_EQ(headless::liveObjectCount(), objectsBefore + 2);
        EXPECT_EQ(context.getFrameColor(), colorWhite);
        EXPECT_EQ(context.getFillColor(), colorBlack);
        EXPECT_EQ(context.getFontColor(), colorWhite);
        EXPECT_EQ(context.getLineWidth(), 1);
        EXPECT_EQ(context.getLineStyle(), 0);
        EXPECT_EQ(context.getDrawMode(), 0);
        // The window's screen corner becomes the origin of pointer positions.
        EXPECT_EQ(context.windowOrigin.h, 100);
        EXPECT_EQ(context.windowOrigin.v, 50);
    }
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

TEST_F(DrawContextState, DestructorSelectsTheOriginalObjectsBack) {
    const platform::GraphicsObject pen =
        platform::currentObject(canvas.dc, platform::ObjectKind::Pen);
    const platform::GraphicsObject brush =
        platform::currentObject(canvas.dc, platform::ObjectKind::Brush);
    const platform::GraphicsObject font =
        platform::currentObject(canvas.dc, platform::ObjectKind::Font);
    {
        DrawContext context(nullptr, canvas.dc, canvas.window);
        context.setFont(2);
        EXPECT_NE(platform::currentObject(canvas.dc, platform::ObjectKind::Pen), pen);
    }
    EXPECT_EQ(platform::currentObject(canvas.dc, platform::ObjectKind::Pen), pen);
    EXPECT_EQ(platform::currentObject(canvas.dc, platform::ObjectKind::Brush), brush);
    EXPECT_EQ(platform::currentObject(canvas.dc, platform::ObjectKind::Font), font);
}

TEST_F(DrawContextState, DrawingNeverMakesPensOrBrushes) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::resetCallCounts();
    for (int i = 0; i < 10; ++i) {
        context.fillRect(Rect(0, 0, 10, 10));
        context.frameRect(Rect(0, 0, 10, 10));
        context.fillEllipse(Rect(0, 0, 10, 10));
        context.drawEllipse(Rect(0, 0, 10, 10));
        context.fillArc(Rect(0, 0, 10, 10), Point(0, 0), Point(10, 10));
    }
    EXPECT_EQ(headless::callCount("CreatePenIndirect"), 0);
    EXPECT_EQ(headless::callCount("CreateBrushIndirect"), 0);
    EXPECT_GT(headless::callCount("FillRect"), 0);
}

TEST_F(DrawContextState, SettersReplaceTheirObjectAndFreeTheOldOne) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    const int objects = headless::liveObjectCount();
    headless::resetCallCounts();
    context.setFrameColor(colorRed);
    context.setLineWidth(3);
    context.setLineStyle(1);
    context.setFillColor(colorBlue);
    EXPECT_EQ(headless::callCount("CreatePenIndirect"), 3);
    EXPECT_EQ(headless::callCount("CreateBrushIndirect"), 1);
    EXPECT_EQ(headless::callCount("SetBkColor"), 1);
    EXPECT_EQ(headless::liveObjectCount(), objects);
}

TEST_F(DrawContextState, SameDrawModeMakesNoPlatformCall) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::resetCallCounts();
    context.setDrawMode(0);
    EXPECT_EQ(headless::totalCallCount(), 0);
    context.setDrawMode(2);
    context.setDrawMode(2);
    EXPECT_EQ(headless::callCount("SetROP2"), 1);
}

TEST_F(DrawContextState, FillsSelectTheNullPenAndPutTheOldOneBack) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    const platform::GraphicsObject pen =
        platform::currentObject(canvas.dc, platform::ObjectKind::Pen);
    headless::resetCallCounts();
    context.fillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(headless::callCount("GetStockObject"), 1);
    EXPECT_EQ(headless::callCount("SelectObject"), 2);
    EXPECT_EQ(platform::currentObject(canvas.dc, platform::ObjectKind::Pen), pen);
}

TEST_F(DrawContextState, FontIdOutOfRangeBecomesBoldArialTwelve) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFont(9, 0, 0);
    const platform::FontDescription* f = headless::selectedFontOf(canvas.dc);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(context.getFont(), 0);
    EXPECT_EQ(context.getFontSize(), 12);
    EXPECT_STREQ(f->faceName, "Arial");
    EXPECT_EQ(f->height, -12);
    EXPECT_EQ(f->weight, 700);
    EXPECT_EQ(f->pitchAndFamily, 0x22);
    EXPECT_EQ(f->clipPrecision, 2);
    EXPECT_EQ(f->outPrecision, 1);
    context.setFont(-1);
    EXPECT_EQ(context.getFont(), 0);
}

TEST_F(DrawContextState, SymbolFontIsDecorative) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFont(7, 0, 0);
    const platform::FontDescription* f = headless::selectedFontOf(canvas.dc);
    EXPECT_STREQ(f->faceName, "Symbol");
    EXPECT_EQ(f->height, -13);
    EXPECT_EQ(f->weight, 400);
    EXPECT_EQ(f->pitchAndFamily, 0x50);
}

// Bold is the value 1, italic 2 and underline 4.
TEST_F(DrawContextState, StyleBitsGiveWeightItalicAndUnderline) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFont(3, 20, 6);
    const platform::FontDescription* f = headless::selectedFontOf(canvas.dc);
    EXPECT_EQ(f->height, -20);
    EXPECT_EQ(f->weight, 400);
    EXPECT_EQ(f->italic, 1);
    EXPECT_EQ(f->underline, 1);
    context.setFont(3, 20, 1);
    f = headless::selectedFontOf(canvas.dc);
    EXPECT_EQ(f->weight, 700);
    EXPECT_EQ(f->italic, 0);
    EXPECT_EQ(f->underline, 0);
    // No bit above these three means anything.
    context.setFont(3, 20, 8);
    f = headless::selectedFontOf(canvas.dc);
    EXPECT_EQ(f->weight, 400);
    EXPECT_EQ(f->italic, 0);
    EXPECT_EQ(f->underline, 0);
}

TEST_F(DrawContextState, TextIsMeasuredAndDrawnWithTheSelectedFont) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFont(1);
    const int wide = context.getStringWidth("WWWW");
    const int narrow = context.getStringWidth("iiii");
    EXPECT_GT(wide, narrow);
    EXPECT_GT(narrow, 0);
    context.setFont(6);
    EXPECT_LT(context.getStringWidth("WWWW"), wide);

    context.drawString("Hi", Rect(0, 0, 40, 40), false, kCenterText);
    const raster::Box ink = canvas.paintedBox();
    EXPECT_GT(ink.right - ink.left, 3);
    // Centred both ways, give or take the glyphs' own side bearings.
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 20.0, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20.0, 3.0);
}

TEST_F(DrawContextState, LeftAlignedTextStartsOnePixelIn) {
    Canvas reference;
    DrawContext context(nullptr, canvas.dc, canvas.window);
    DrawContext other(nullptr, reference.dc, reference.window);
    context.setFont(2);
    other.setFont(2);
    context.drawString("Lx", Rect(5, 0, 40, 20), false, kLeftText);
    platform::DeviceRect moved{6, 0, 40, 20};
    platform::drawText(reference.dc, "Lx", 2, moved,
                       platform::kTextSingleLine | platform::kTextVerticalCenter |
                           platform::kTextNoPrefix);
    EXPECT_EQ(canvas.rows(canvas.surface().bounds()), reference.rows(reference.surface().bounds()));
    EXPECT_GT(canvas.count(0xFFFFFF), 0);
}

TEST_F(DrawContextState, OpaqueTextPaintsTheFillColourBehindIt) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFont(2);
    context.setFillColor(colorBlue);
    context.drawString("ab", Rect(0, 0, 40, 40), true, kRightText);
    EXPECT_GT(canvas.count(0xFF0000), 20);
    const raster::Box b = canvas.paintedBox();
    EXPECT_EQ(b.right, 40);
    // Background mode goes back to transparent: later text paints no box.
    Canvas second;
    DrawContext again(nullptr, second.dc, second.window);
    again.setFont(2);
    again.setFillColor(colorBlue);
    again.drawString("ab", Rect(0, 0, 40, 40), false);
    EXPECT_EQ(second.count(0xFF0000), 0);
}

TEST_F(DrawContextState, MouseButtonsAndModifiers) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().keyDown[platform::kKeyLeftButton] = true;
    headless::input().keyDown[platform::kKeyControl] = true;
    EXPECT_EQ(context.getMouseButtons(), 17);
    headless::resetInput();
    headless::input().keyDown[platform::kKeyMiddleButton] = true;
    headless::input().keyDown[platform::kKeyRightButton] = true;
    headless::input().keyDown[platform::kKeyShift] = true;
    headless::input().keyDown[platform::kKeyAlt] = true;
    EXPECT_EQ(context.getMouseButtons(), 2 | 4 | 8 | 32);
}

TEST_F(DrawContextState, SwappedButtonsReportThePrimaryButtonAsOne) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().swapButtons = 1;
    recordButtonSwap();
    EXPECT_TRUE(swappedButtons);
    headless::input().keyDown[platform::kKeyRightButton] = true;
    EXPECT_EQ(context.getMouseButtons(), 1);
    headless::input().keyDown[platform::kKeyRightButton] = false;
    headless::input().keyDown[platform::kKeyLeftButton] = true;
    EXPECT_EQ(context.getMouseButtons(), 4);
    swappedButtons = false;
}

TEST_F(DrawContextState, MouseLocationIsInWindowCoordinates) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().pointer = {130, 70};
    Point p;
    context.getMouseLocation(p);
    EXPECT_EQ(p.h, 30);
    EXPECT_EQ(p.v, 20);
}

TEST_F(DrawContextState, DoubleClickWaitSeesASecondPressBeforeTheDeadline) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().messageTime = 1000;
    headless::input().ticks = 1200;
    headless::input().pendingLeftButtonDowns = 1;
    EXPECT_TRUE(context.waitDoubleClick());
    EXPECT_EQ(headless::input().pendingLeftButtonDowns, 0);
}

TEST_F(DrawContextState, DoubleClickWaitEndsAtTheDeadline) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().messageTime = 1000;
    headless::input().ticks = 1500; // exactly at the deadline
    headless::input().pendingLeftButtonDowns = 1;
    EXPECT_FALSE(context.waitDoubleClick());
    EXPECT_EQ(headless::input().pendingLeftButtonDowns, 1);

    headless::input().ticks = 1100; // no press comes: waits until the deadline
    headless::input().pendingLeftButtonDowns = 0;
    EXPECT_FALSE(context.waitDoubleClick());
    EXPECT_GE(headless::input().ticks, 1500u);
}

TEST_F(DrawContextState, DoubleClickWaitEndsWhenThePointerMoves) {
    DrawContext context(nullptr, canvas.dc, canvas.window);
    headless::input().messageTime = 1000;
    headless::input().ticks = 1100;
    headless::input().pointer = {120, 60};
    int reads = 0;
    headless::input().onPointerRead = [&reads] {
        if (++reads == 2)
            headless::input().pointer.x += 2; // leaves the half-open square
    };
    headless::input().pendingLeftButtonDowns = 0;
    EXPECT_FALSE(context.waitDoubleClick());
    EXPECT_LT(headless::input().ticks, 1200u);
}

TEST_F(DrawContextState, DragWaitNeedsAFrameAndTheButtonDown) {
    DrawContext noFrame(nullptr, canvas.dc, canvas.window);
    headless::input().keyDown[platform::kKeyLeftButton] = true;
    EXPECT_FALSE(noFrame.waitDrag());

    Frame frame(Rect(0, 0, 30, 30), canvas.window, nullptr);
    DrawContext context(&frame, canvas.dc, canvas.window);
    int reads = 0;
    headless::input().onPointerRead = [&reads] {
        if (++reads == 4)
            headless::input().pointer.y -= 3;
    };
    EXPECT_TRUE(context.waitDrag());

    reads = 0;
    headless::input().onPointerRead = [&reads] {
        if (++reads == 3)
            headless::input().keyDown[platform::kKeyLeftButton] = false;
    };
    EXPECT_FALSE(context.waitDrag());
}

TEST_F(DrawContextState, ClipRectStartsAsTheFrameBounds) {
    Frame frame(Rect(0, 0, 268, 107), canvas.window, nullptr);
    DrawContext context(&frame, canvas.dc, canvas.window);
    Rect clip;
    context.getClipRect(clip);
    EXPECT_EQ(clip.right, 268);
    EXPECT_EQ(clip.bottom, 107);
}

} // namespace
