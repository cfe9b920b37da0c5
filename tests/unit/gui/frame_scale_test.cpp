// A frame drawn at a scale: the scale it takes, the window it sizes, and the
// views, which keep their panel units while the window has device pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "frame_fixture.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui/scale.h"
#include "platform/graphics.h"
#include "platform/window.h"

namespace {

using FrameScale = FrameTest;

const raster::Surface& windowOf(Frame* frame) {
    return *headless::surfaceOf(frame->getWindow());
}

// The box around every pixel of colour `c`, and how many there are.
struct Found {
    raster::Box box{1 << 20, 1 << 20, -1, -1};
    int count = 0;
};
Found find(const raster::Surface& s, raster::Pixel c) {
    Found f;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.get(x, y) == c) {
                ++f.count;
                f.box.left = std::min(f.box.left, x);
                f.box.top = std::min(f.box.top, y);
                f.box.right = std::max(f.box.right, x + 1);
                f.box.bottom = std::max(f.box.bottom, y + 1);
            }
    return f;
}

// A picture of one colour, made a resource of the program under `id`.
void addPicture(std::uint16_t id, int width, int height, raster::Pixel colour) {
    raster::Surface s(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.set(x, y, colour);
    const std::string path = ::testing::TempDir() + "/scaled_picture.bmp";
    ASSERT_TRUE(headless::saveBmp(s, path.c_str()));
    std::ifstream file(path, std::ios::binary);
    headless::addResourcePicture(id,
                                 std::vector<unsigned char>((std::istreambuf_iterator<char>(file)),
                                                            std::istreambuf_iterator<char>()));
}

std::pair<int, int> unitsOf(const Point& p) {
    return {p.h, p.v};
}

constexpr raster::Pixel kGreen = 0x00FF00;
constexpr raster::Pixel kRed = 0x0000FF;
constexpr raster::Pixel kBlue = 0xFF0000;

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

// Views keep their units: at 2 each unit is a block of 2 by 2 pixels, at 1.5
// a unit's edges fall where the scale rounds them.
TEST_F(FrameScale, ViewsDrawnInUnitsCoverTheirScaledBoxInTheWindow) {
    const struct {
        double scale;
        Rect view;
        raster::Box expected;
    } cases[] = {
        {2.0, Rect(10, 10, 20, 20), {20, 20, 40, 40}},
        {1.5, Rect(11, 5, 21, 9), {17, 8, 32, 14}},
        {3.0, Rect(0, 0, 268, 107), {0, 0, 804, 321}},
        {1.0, Rect(11, 5, 21, 9), {11, 5, 21, 9}},
    };
    for (const auto& c : cases) {
        makeFrame();
        frame->setScale(c.scale);
        add(c.view);
        headless::dispatchMessages();
        const Found green = find(windowOf(frame), kGreen);
        EXPECT_EQ(green.box, c.expected) << c.scale;
        EXPECT_EQ(green.count,
                  (c.expected.right - c.expected.left) * (c.expected.bottom - c.expected.top))
            << c.scale;
        delete frame;
        frame = nullptr;
    }
}

TEST_F(FrameScale, ADamagedPartIsRepaintedByTheViewsOverTheUnitsCoveringIt) {
    makeFrame();
    frame->setScale(1.5);
    ProbeView* near = add(Rect(2, 2, 4, 4));
    ProbeView* far = add(Rect(5, 5, 8, 8));
    headless::dispatchMessages();
    const int nearDraws = near->draws;
    const int farDraws = far->draws;
    // Device pixels 3 to 5 are units 2 and 3 at 1.5: only the near view is there.
    const platform::DeviceRect damage{3, 3, 5, 5};
    headless::damageWindow(frame->getWindow(), &damage);
    headless::dispatchMessages();
    EXPECT_EQ(near->draws, nearDraws + 1);
    EXPECT_EQ(far->draws, farDraws);
}

// The window system's positions are device pixels; the views hear units.
TEST_F(FrameScale, PressesAndThePointerReachTheViewsInUnits) {
    makeFrame();
    frame->setScale(2.0);
    ProbeView* v = add(Rect(20, 30, 60, 50));
    press(41, 61);
    EXPECT_EQ(v->presses, 1);
    EXPECT_EQ(unitsOf(v->lastPoint), std::make_pair(20, 30));
    // A press on the last device pixel of unit 19 misses the view.
    press(39, 70);
    EXPECT_EQ(v->presses, 1);

    pointAt(121, 99);
    Point where;
    frame->getCurrentMouseLocation(where);
    EXPECT_EQ(unitsOf(where), std::make_pair(60, 49));
    platform::DeviceContext dc = platform::getDC(frame->getWindow());
    {
        DrawContext context(frame, dc, frame->getWindow());
        context.getMouseLocation(where);
        EXPECT_EQ(unitsOf(where), std::make_pair(60, 49));
    }
    platform::releaseDC(frame->getWindow(), dc);
}

TEST_F(FrameScale, LetteringIsSetInAFontAsManyTimesTallerAndMeasuredInUnits) {
    makeFrame();
    platform::DeviceContext dc = platform::getDC(frame->getWindow());
    int widthAtOne = 0;
    {
        DrawContext context(frame, dc, frame->getWindow());
        context.setFont(1, 12);
        EXPECT_EQ(headless::selectedFontOf(dc)->height, -12);
        widthAtOne = context.getStringWidth("New Cycle Volume");
    }
    frame->setScale(2.0);
    {
        DrawContext context(frame, dc, frame->getWindow());
        context.setFont(1, 12);
        EXPECT_EQ(headless::selectedFontOf(dc)->height, -24);
        EXPECT_EQ(context.getFontSize(), 12);
        // Hinting keeps the doubled width within a few pixels of twice the width.
        EXPECT_NEAR(context.getStringWidth("New Cycle Volume"), widthAtOne, 2);
    }
    platform::releaseDC(frame->getWindow(), dc);
}

// A surface a view composes on and copies to its place in the frame maps
// its pixels as the window does there, even where a unit is one pixel more
// at one place than at another (1.25, 1.75).
TEST_F(FrameScale, AnOffscreenSurfaceCopiedToItsGridOriginLinesUpWithTheWindow) {
    for (double s : {1.25, 1.75}) {
        makeFrame();
        frame->setScale(s);
        headless::dispatchMessages();
        platform::DeviceContext dc = platform::getDC(frame->getWindow());
        {
            DrawContext window(frame, dc, frame->getWindow());
            window.setFillColor(Color{0, 255, 0, 0});
            window.fillRect(Rect(12, 50, 19, 57));
        }
        const Found direct = find(windowOf(frame), kGreen);
        {
            DrawContext window(frame, dc, frame->getWindow());
            window.setFillColor(colorBlack);
            window.fillRect(Rect(-1, -1, 268, 107));
            OffscreenContext offscreen(frame, 20, 20, colorBlack, Point(11, 49));
            EXPECT_EQ(offscreen.getScale(), s);
            offscreen.setFillColor(Color{0, 255, 0, 0});
            offscreen.fillRect(Rect(1, 1, 8, 8));
            offscreen.copyTo(&window, Rect(11, 49, 31, 69));
        }
        platform::releaseDC(frame->getWindow(), dc);
        const Found copied = find(windowOf(frame), kGreen);
        EXPECT_EQ(copied.box, direct.box) << s;
        EXPECT_EQ(copied.count, direct.count) << s;
        delete frame;
        frame = nullptr;
    }
}

// Resource 300 exists at 1 (2 by 2, red) and at 2 (4 by 4, blue), not at 1.25.
TEST_F(FrameScale, ABitmapShowsThePictureDrawnAtTheScaleOrItsOwnUnstretched) {
    addPicture(300, 2, 2, kRed);
    addPicture(static_cast<std::uint16_t>(scale::pictureResourceId(300, 2.0)), 4, 4, kBlue);
    ASSERT_EQ(scale::pictureResourceId(300, 2.0), 4300);
    auto* picture = new Bitmap(300);
    makeFrame();
    frame->setBackground(picture);
    picture->release();
    headless::resetCallCounts();

    frame->setScale(2.0);
    headless::dispatchMessages();
    EXPECT_EQ(find(windowOf(frame), kBlue).box, (raster::Box{0, 0, 4, 4}));
    EXPECT_EQ(find(windowOf(frame), kRed).count, 0);
    // The size stays in units, and the picture at the scale is loaded once.
    EXPECT_EQ(picture->getWidth(), 2);
    frame->drawView(nullptr);
    EXPECT_EQ(headless::callCount("LoadBitmapA"), 1);

    // None at 1.25: the picture at 1 at its own size, never stretched over
    // the pixels beyond it (which keep what the window had).
    frame->setScale(1.25);
    headless::dispatchMessages();
    EXPECT_EQ(find(windowOf(frame), kRed).box, (raster::Box{0, 0, 2, 2}));
    EXPECT_EQ(windowOf(frame).get(2, 2), kBlue);

    frame->setScale(1.0);
    headless::dispatchMessages();
    EXPECT_EQ(find(windowOf(frame), kRed).box, (raster::Box{0, 0, 2, 2}));
}

} // namespace
