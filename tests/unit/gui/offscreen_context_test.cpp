// Offscreen surfaces: their start colour, their clip and the copies.
#include <gtest/gtest.h>

#include "canvas.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"

namespace {

const raster::Surface& surfaceOf(const OffscreenContext& c) {
    return *headless::surfaceOf(c.getBitmapHandle());
}

int countOf(const raster::Surface& s, raster::Pixel p) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += s.get(x, y) == p;
    return n;
}

TEST(OffscreenContext, StartsWhollyInItsBackgroundColour) {
    Canvas window;
    Frame frame(Rect(0, 0, 40, 40), window.window, nullptr);
    OffscreenContext offscreen(&frame, 10, 10, colorBlue);
    ASSERT_NE(offscreen.getBitmapHandle(), nullptr);
    EXPECT_EQ(surfaceOf(offscreen).width(), 10);
    EXPECT_EQ(countOf(surfaceOf(offscreen), 0xFF0000), 100);
    Rect clip;
    offscreen.getClipRect(clip);
    EXPECT_EQ(clip.right, 10);
    EXPECT_EQ(clip.bottom, 10);
}

TEST(OffscreenContext, CopyToPlacesTheBlockAtTheDestinationsOffset) {
    Canvas canvas;
    DrawContext dest(nullptr, canvas.dc, canvas.window);
    dest.offset = Point(4, 6);
    OffscreenContext offscreen(nullptr, 10, 10, colorRed);
    offscreen.drawPoint(Point(2, 3), colorGreen);
    offscreen.copyTo(&dest, Rect(10, 10, 15, 15), Point(1, 1));
    EXPECT_EQ(canvas.paintedBox(), (raster::Box{14, 16, 19, 21}));
    EXPECT_EQ(canvas.at(15, 18), 0x00FF00u);
}

TEST(OffscreenContext, CopyFromTakesTheSourcesOffsetIntoAccount) {
    Canvas canvas;
    DrawContext source(nullptr, canvas.dc, canvas.window);
    source.offset = Point(5, 5);
    source.drawPoint(Point(1, 1), colorRed);
    OffscreenContext offscreen(nullptr, 10, 10, colorBlack);
    offscreen.copyFrom(&source, Rect(0, 0, 4, 4), Point(3, 3));
    EXPECT_EQ(surfaceOf(offscreen).get(4, 4), 0x0000FFu);
}

TEST(OffscreenContext, OnABitmapCopyOrOnTheBitmapItself) {
    Canvas canvas;
    DrawContext parent(nullptr, canvas.dc, canvas.window);
    Bitmap* handle = new Bitmap(129);
    const raster::Pixel corner = headless::surfaceOf(handle->getHandle())->get(0, 0);
    {
        OffscreenContext copy(&parent, handle, false);
        EXPECT_EQ(copy.getWidth(), 14);
        EXPECT_EQ(surfaceOf(copy).get(0, 0), corner);
        copy.drawPoint(Point(0, 0), colorRed);
    }
    EXPECT_EQ(headless::surfaceOf(handle->getHandle())->get(0, 0), corner);
    {
        OffscreenContext same(&parent, handle, true);
        same.drawPoint(Point(0, 0), colorRed);
    }
    EXPECT_EQ(headless::surfaceOf(handle->getHandle())->get(0, 0), 0x0000FFu);
    handle->release();

    OffscreenContext none(&parent, nullptr, false);
    EXPECT_EQ(none.getWidth(), 20);
    EXPECT_EQ(countOf(surfaceOf(none), raster::kBlack), 400);
}

TEST(OffscreenContext, ZeroAndNegativeSizesDoNotCrash) {
    const int before = headless::liveObjectCount();
    {
        OffscreenContext empty(nullptr, 0, 0);
        OffscreenContext negative(nullptr, -5, 10);
        Rect clip;
        negative.getClipRect(clip);
        EXPECT_EQ(clip.left, -5);
        EXPECT_EQ(clip.right, 0);
        negative.fillRect(Rect(0, 0, 5, 5));
        Canvas canvas;
        DrawContext dest(nullptr, canvas.dc, canvas.window);
        negative.copyTo(&dest, Rect(0, 0, -5, 10));
        empty.copyTo(nullptr, Rect(0, 0, 5, 5));
    }
    EXPECT_EQ(headless::liveObjectCount(), before);
}

} // namespace
