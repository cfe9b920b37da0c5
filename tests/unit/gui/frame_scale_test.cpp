// A frame drawn at a scale: the scale it takes, the window it sizes, and the
// views, which keep their panel units while the window has device pixels.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "gui/scale.h"
#include "platform/window.h"

namespace {

using FrameScale = FrameTest;

TEST_F(FrameScale, TakesTheOfferedScaleAtOrAboveTheRequestAndSizesItsWindowByIt) {
    makeFrame();
    EXPECT_EQ(frame->getScale(), 1.0);
    const struct {
        double requested;
        double taken;
        int width;
        int height;
    } cases[] = {
        {2.0, 2.0, 536, 214}, {1.1, 1.25, 335, 134}, {1.75, 1.75, 469, 187}, {0.5, 1.0, 268, 107},
        {7.0, 3.0, 804, 321}, {2.2, 2.5, 670, 268},  {1.5, 1.5, 402, 161},   {1.0, 1.0, 268, 107},
    };
    for (const auto& c : cases) {
        frame->setScale(c.requested);
        EXPECT_EQ(frame->getScale(), c.taken) << c.requested;
        const raster::Surface& s = *headless::surfaceOf(frame->getWindow());
        EXPECT_EQ(s.width(), c.width) << c.requested;
        EXPECT_EQ(s.height(), c.height) << c.requested;
        EXPECT_EQ(frame->deviceWidth(), c.width);
        // The views' coordinates stay in panel units.
        Rect bounds;
        frame->getBounds(bounds);
        EXPECT_EQ(bounds.getWidth(), 268);
        EXPECT_EQ(bounds.getHeight(), 107);
    }
}

TEST_F(FrameScale, KeepsTheScaleWithoutAWindowAndRepaintsOnlyOnAChange) {
    frame = new Frame(Rect(0, 0, 268, 107), nullptr, nullptr);
    frame->setScale(2.0);
    EXPECT_EQ(frame->getScale(), 2.0);
    delete frame;
    frame = nullptr;

    makeFrame();
    headless::dispatchMessages();
    EXPECT_FALSE(headless::hasPendingPaint(frame->getWindow()));
    frame->setScale(1.5);
    EXPECT_TRUE(headless::hasPendingPaint(frame->getWindow()));
    headless::dispatchMessages();
    // Asking for the scale in use changes nothing and paints nothing.
    frame->setScale(1.4);
    EXPECT_FALSE(headless::hasPendingPaint(frame->getWindow()));
}

} // namespace
