// Loading, sharing and the three ways of drawing bitmaps.
#include <gtest/gtest.h>

#include "canvas.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui/toolkit_state.h"

namespace {

constexpr int kBackground = 128;
constexpr int kHandle = 129;

const raster::Surface& pictureOf(const Bitmap* b) {
    return *headless::surfaceOf(b->getHandle());
}

class BitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetInput();
        headless::setBlendLibrary(true, 2);
        startBlendServices();
        objectsBefore = headless::liveObjectCount();
    }
    void TearDown() override {
        headless::setBlendLibrary(true, 2);
        startBlendServices();
    }
    int objectsBefore = 0;
};

TEST_F(BitmapTest, PicturesHaveTheirSizes) {
    Bitmap* background = new Bitmap(kBackground);
    Bitmap* handle = new Bitmap(kHandle);
    EXPECT_TRUE(background->isLoaded());
    EXPECT_EQ(background->getWidth(), 268);
    EXPECT_EQ(background->getHeight(), 107);
    EXPECT_EQ(handle->getWidth(), 14);
    EXPECT_EQ(handle->getHeight(), 14);
    EXPECT_EQ(handle->getTransparentColor(), colorWhite);
    EXPECT_EQ(background->release(), 0);
    EXPECT_EQ(handle->release(), 0);
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

TEST_F(BitmapTest, OnlyTheLowSixteenBitsNameTheResource) {
    Bitmap* b = new Bitmap(65536 + kBackground);
    EXPECT_EQ(b->getResourceId(), 65536 + kBackground);
    EXPECT_EQ(b->getWidth(), 268);
    EXPECT_EQ(b->getHeight(), 107);
    b->release();
}

TEST_F(BitmapTest, UnknownResourceGivesAnEmptyBitmapThatDrawsNothing) {
    Canvas canvas;
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.setFillColor(colorRed);
    context.fillRect(Rect(-1, -1, 40, 40));
    Bitmap* b = new Bitmap(999);
    EXPECT_FALSE(b->isLoaded());
    EXPECT_EQ(b->getHandle(), nullptr);
    EXPECT_EQ(b->getWidth(), 0);
    EXPECT_EQ(b->getHeight(), 0);
    b->draw(&context, Rect(0, 0, 20, 20));
    b->drawTransparent(&context, Rect(0, 0, 20, 20));
    b->drawAlphaBlend(&context, Rect(0, 0, 20, 20), Point(), 200);
    EXPECT_EQ(canvas.count(0x0000FF), 40 * 40);
    b->release();
}

TEST_F(BitmapTest, ReferenceCounting) {
    Bitmap* b = new Bitmap(kHandle);
    b->retain();
    EXPECT_EQ(b->getRefCount(), 2);
    EXPECT_EQ(b->release(), 1);
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore + 1);
    EXPECT_EQ(b->release(), 0); // frees the bitmap and its picture
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

TEST_F(BitmapTest, DrawCopiesTheBlockMovedByTheOffset) {
    Canvas canvas(60, 60);
    DrawContext context(nullptr, canvas.dc, canvas.window);
    context.offset = Point(5, 5);
    Bitmap* b = new Bitmap(kBackground);
    b->draw(&context, Rect(10, 20, 24, 34), Point(0, 0));
    const raster::Surface& picture = pictureOf(b);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            ASSERT_EQ(canvas.at(15 + x, 25 + y), picture.get(x, y)) << x << "," << y;
    EXPECT_EQ(canvas.at(14, 25), raster::kBlack);
    EXPECT_EQ(canvas.at(29, 25), raster::kBlack);
    EXPECT_EQ(canvas.at(15, 39), raster::kBlack);
    b->release();
}

TEST_F(BitmapTest, DrawReadsFromTheSourcePoint) {
    Canvas canvas(60, 60);
    DrawContext context(nullptr, canvas.dc, canvas.window);
    Bitmap* b = new Bitmap(kBackground);
    b->draw(&context, Rect(0, 0, 30, 30), Point(100, 50));
    EXPECT_EQ(canvas.at(7, 9), pictureOf(b).get(107, 59));
    b->release();
}

// Draws the handle over the background and checks every pixel: the
// background's where the handle is white, the handle's elsewhere.
void expectHandleOverBackground(bool withMask) {
    Canvas canvas(268, 107);
    DrawContext context(nullptr, canvas.dc, canvas.window);
    Bitmap* background = new Bitmap(kBackground);
    Bitmap* handle = new Bitmap(kHandle);
    background->draw(&context, Rect(0, 0, 268, 107));
    if (withMask) {
        OffscreenContext plain(nullptr, 14, 14, colorBlack);
        handle->draw(&plain, Rect(0, 0, 14, 14));
        handle->setTransparencyMask(&plain, Point(0, 0));
    }
    context.offset = Point(3, 4);
    handle->drawTransparent(&context, Rect(40, 50, 54, 64));
    const raster::Surface& under = pictureOf(background);
    const raster::Surface& over = pictureOf(handle);
    int kept = 0;
    for (int y = 0; y < 107; ++y)
        for (int x = 0; x < 268; ++x) {
            const int hx = x - 43, hy = y - 54;
            const bool inHandle = hx >= 0 && hy >= 0 && hx < 14 && hy < 14;
            if (inHandle && over.get(hx, hy) != 0xFFFFFF) {
                ASSERT_EQ(canvas.at(x, y), over.get(hx, hy)) << x << "," << y;
            } else {
                ASSERT_EQ(canvas.at(x, y), under.get(x, y)) << x << "," << y;
                kept += inHandle;
            }
        }
    EXPECT_GT(kept, 0); // the handle does have a white surround
    background->release();
    handle->release();
}

TEST_F(BitmapTest, TransparentDrawWithTheColourKeyedCopy) {
    ASSERT_NE(transparentBltFunction, nullptr);
    headless::resetCallCounts();
    expectHandleOverBackground(false);
    EXPECT_EQ(headless::callCount("TransparentBlt"), 1);
}

TEST_F(BitmapTest, TransparentDrawWithTheFallbackMask) {
    headless::setBlendLibrary(true, 1); // not the NT family: no colour-keyed copy
    startBlendServices();
    ASSERT_EQ(transparentBltFunction, nullptr);
    ASSERT_NE(alphaBlendFunction, nullptr);
    headless::resetCallCounts();
    expectHandleOverBackground(false);
    EXPECT_EQ(headless::callCount("TransparentBlt"), 0);
    EXPECT_EQ(headless::callCount("CreateBitmap"), 1);
}

TEST_F(BitmapTest, TransparentDrawWithAPreparedMask) {
    headless::resetCallCounts();
    expectHandleOverBackground(true);
    EXPECT_EQ(headless::callCount("TransparentBlt"), 0);
}

TEST_F(BitmapTest, TransparentDrawLeavesNoObjectsBehind) {
    headless::setBlendLibrary(true, 1);
    startBlendServices();
    expectHandleOverBackground(false);
    expectHandleOverBackground(true);
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

TEST_F(BitmapTest, AlphaBlendWithConstantOpacity) {
    Canvas canvas(20, 20);
    DrawContext context(nullptr, canvas.dc, canvas.window);
    Bitmap* b = new Bitmap(kBackground);
    const raster::Pixel source = pictureOf(b).get(0, 0);
    b->drawAlphaBlend(&context, Rect(0, 0, 5, 5), Point(0, 0), 255);
    EXPECT_EQ(canvas.at(0, 0), source);
    b->drawAlphaBlend(&context, Rect(10, 10, 15, 15), Point(0, 0), 0);
    EXPECT_EQ(canvas.at(10, 10), raster::kBlack);
    b->drawAlphaBlend(&context, Rect(5, 5, 10, 10), Point(0, 0), 128);
    const unsigned red = canvas.at(5, 5) & 0xFF;
    EXPECT_EQ(red, ((source & 0xFF) * 128 + 127) / 255);
    b->release();
}

TEST_F(BitmapTest, AlphaBlendDrawsNothingWithoutTheService) {
    headless::setBlendLibrary(false, 2);
    startBlendServices();
    EXPECT_EQ(alphaBlendFunction, nullptr);
    Canvas canvas(20, 20);
    DrawContext context(nullptr, canvas.dc, canvas.window);
    Bitmap* b = new Bitmap(kBackground);
    b->drawAlphaBlend(&context, Rect(0, 0, 20, 20), Point(0, 0), 255);
    EXPECT_EQ(canvas.count(raster::kBlack), 400);
    b->release();
}

TEST_F(BitmapTest, BlankBitmapOfAGivenSize) {
    Bitmap* b = new Bitmap(30, 12);
    EXPECT_TRUE(b->isLoaded());
    EXPECT_EQ(b->getWidth(), 30);
    EXPECT_EQ(b->getHeight(), 12);
    b->release();
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

TEST_F(BitmapTest, DrawingOnANullContextDoesNothing) {
    Bitmap* b = new Bitmap(kHandle);
    b->draw(nullptr, Rect(0, 0, 14, 14));
    b->drawTransparent(nullptr, Rect(0, 0, 14, 14));
    b->drawAlphaBlend(nullptr, Rect(0, 0, 14, 14));
    b->setTransparencyMask(nullptr);
    b->release();
    EXPECT_EQ(headless::liveObjectCount(), objectsBefore);
}

} // namespace
