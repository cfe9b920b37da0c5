// View containers: the child list and its references, drawing with and
// without the offscreen surface, both redraw modes and input routing.
#include <gtest/gtest.h>

#include "canvas.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "test_views.h"

namespace {

constexpr raster::Pixel kRed = 0x0000FF;
constexpr raster::Pixel kGreen = 0x00FF00;
constexpr raster::Pixel kBlue = 0xFF0000;

class ViewContainerTest : public ::testing::Test {
protected:
    void SetUp() override { headless::resetInput(); }
    Canvas host{80, 60, 100, 50};
    Frame frame{Rect(0, 0, 80, 60), host.window, nullptr};
    const raster::Surface& window() const { return *headless::surfaceOf(frame.getWindow()); }
};

// A container holds its children as the frame does: adding takes over the
// creator's one reference, and a view is held once.
TEST_F(ViewContainerTest, AddViewTakesOverTheReferenceAndAttaches) {
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    auto* child = new RecordingView(Rect(1, 1, 5, 5));
    container.addView(child);
    EXPECT_EQ(child->getRefCount(), 1);
    EXPECT_EQ(child->getParentView(), &container);
    EXPECT_EQ(child->getFrame(), &frame);
    EXPECT_EQ(child->attached, 1);
    EXPECT_TRUE(child->isDirty());
    EXPECT_TRUE(container.isChild(child));
    container.addView(nullptr);
    container.addView(child);
    EXPECT_EQ(child->attached, 1) << "held once";
    EXPECT_EQ(container.getViewCount(), 1);
    EXPECT_EQ(container.getView(0), child);
    EXPECT_EQ(container.getView(1), nullptr);
    EXPECT_EQ(container.getView(-1), nullptr);
}

TEST_F(ViewContainerTest, AddViewWithMouseAreaAndFlag) {
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    auto* child = new RecordingView(Rect(1, 1, 5, 5));
    container.addView(child, Rect(0, 0, 9, 9), false);
    Rect area;
    child->getMouseArea(area);
    EXPECT_EQ(area.right, 9);
    EXPECT_FALSE(child->isMouseEnabled());
}

TEST_F(ViewContainerTest, RemoveWithReleaseFreesTheView) {
    bool freed = false;
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    auto* child = new RecordingView(Rect(), colorGreen, &freed);
    container.addView(child);
    container.removeView(child, true);
    EXPECT_TRUE(freed);
    EXPECT_EQ(container.getViewCount(), 0);
}

TEST_F(ViewContainerTest, RemoveWithoutReleaseHandsTheReferenceBack) {
    bool freed = false;
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    auto* child = new RecordingView(Rect(), colorGreen, &freed);
    container.addView(child);
    container.removeView(child, false);
    EXPECT_FALSE(freed);
    EXPECT_EQ(child->getRefCount(), 1);
    EXPECT_EQ(child->removed, 1);
    child->release();
    EXPECT_TRUE(freed);
}

TEST_F(ViewContainerTest, DestroyingTheContainerReleasesItsChildren) {
    bool first = false, second = false;
    {
        ViewContainer container(Rect(0, 0, 40, 40), &frame);
        auto* a = new RecordingView(Rect(), colorGreen, &first);
        auto* b = new RecordingView(Rect(), colorGreen, &second);
        container.addView(a);
        container.addView(b);
    }
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

TEST_F(ViewContainerTest, BackgroundBitmapIsRetainedWhileHeld) {
    Bitmap* picture = new Bitmap(128);
    {
        ViewContainer container(Rect(0, 0, 40, 40), &frame, picture);
        EXPECT_EQ(picture->getRefCount(), 2);
        container.setBackground(nullptr);
        EXPECT_EQ(picture->getRefCount(), 1);
        container.setBackground(picture);
    }
    EXPECT_EQ(picture->getRefCount(), 1);
    picture->release();
}

TEST_F(ViewContainerTest, DrawPaintsBackgroundAndChildrenThroughTheOffscreen) {
    ViewContainer container(Rect(10, 10, 40, 30), &frame);
    container.setBackColor(colorBlue);
    container.onAttached(&frame);
    auto* child = new RecordingView(Rect(0, 0, 5, 5), colorRed);
    container.addView(child);
    platform::DeviceContext dc = platform::getDC(frame.getWindow());
    {
        DrawContext context(&frame, dc, frame.getWindow());
        container.draw(&context);
    }
    platform::releaseDC(frame.getWindow(), dc);
    EXPECT_EQ(window().get(10, 10), kRed);  // the child at the container's corner
    EXPECT_EQ(window().get(15, 15), kBlue); // the background, first row and column included
    EXPECT_EQ(window().get(10, 29), kBlue);
    EXPECT_EQ(window().get(39, 29), kBlue);
    EXPECT_EQ(window().get(40, 30), raster::kBlack);
    EXPECT_FALSE(container.isDirty());
}

TEST_F(ViewContainerTest, DrawWithoutOffscreenMovesTheContextAndRestoresIt) {
    ViewContainer container(Rect(10, 10, 40, 30), &frame);
    container.setUseOffscreen(false);
    container.setBackColor(colorBlue);
    auto* child = new RecordingView(Rect(2, 2, 5, 5), colorRed);
    container.addView(child);
    platform::DeviceContext dc = platform::getDC(frame.getWindow());
    {
        DrawContext context(&frame, dc, frame.getWindow());
        context.offset = Point(1, 1);
        container.draw(&context);
        EXPECT_EQ(context.offset.h, 1);
        EXPECT_EQ(context.windowOrigin.h, 100);
    }
    platform::releaseDC(frame.getWindow(), dc);
    EXPECT_EQ(window().get(12, 12), kRed);
    EXPECT_EQ(window().get(10, 10), kBlue);
}

TEST_F(ViewContainerTest, DrawRectDrawsOnlyChildrenTouchingTheUpdate) {
    ViewContainer container(Rect(10, 10, 70, 50), &frame);
    container.onAttached(&frame);
    auto* left = new RecordingView(Rect(0, 0, 10, 10), colorRed);
    auto* right = new RecordingView(Rect(40, 0, 50, 10), colorGreen);
    container.addView(left);
    container.addView(right);
    platform::DeviceContext dc = platform::getDC(frame.getWindow());
    {
        DrawContext context(&frame, dc, frame.getWindow());
        container.drawRect(&context, Rect(0, 0, 25, 25)); // local (0, 0, 15, 15)
    }
    platform::releaseDC(frame.getWindow(), dc);
    EXPECT_EQ(left->draws, 1);
    EXPECT_EQ(right->draws, 0);
    EXPECT_EQ(window().get(12, 12), kRed);
    EXPECT_EQ(window().get(26, 26), raster::kBlack); // outside the update: untouched
}

TEST_F(ViewContainerTest, ModeZeroRedrawsEverythingWhenOneChildIsDirty) {
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    container.onAttached(&frame);
    auto* a = new RecordingView(Rect(0, 0, 5, 5));
    auto* b = new RecordingView(Rect(10, 0, 15, 5));
    container.addView(a);
    container.addView(b);
    DrawContext context(&frame, nullptr, nullptr);
    container.redrawIfDirty(&context);
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(b->draws, 1);
    container.redrawIfDirty(&context); // everything clean now
    EXPECT_EQ(a->draws, 1);
    b->setDirty(true);
    container.redrawIfDirty(&context);
    EXPECT_EQ(a->draws, 2);
    EXPECT_EQ(b->draws, 2);
}

TEST_F(ViewContainerTest, ModeOneRedrawsOnlyDirtyChildren) {
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    container.setRedrawMode(1);
    container.onAttached(&frame);
    auto* a = new RecordingView(Rect(0, 0, 5, 5));
    auto* b = new RecordingView(Rect(10, 0, 15, 5));
    container.addView(a);
    container.addView(b);
    DrawContext context(&frame, nullptr, nullptr);
    container.draw(&context);
    b->setDirty(true);
    container.redrawIfDirty(&context);
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(b->draws, 2);
    container.setDirty(true); // its own flag: the whole container
    container.redrawIfDirty(&context);
    EXPECT_EQ(a->draws, 2);
    EXPECT_FALSE(container.isDirty());
}

TEST_F(ViewContainerTest, NestedModeOneContainerRedrawsWholeAndGetsItsModeBack) {
    ViewContainer outer(Rect(0, 0, 60, 60), &frame);
    outer.setUseOffscreen(false);
    outer.setRedrawMode(1);
    auto* inner = new ViewContainer(Rect(10, 10, 50, 50), &frame);
    inner->setUseOffscreen(false);
    inner->setRedrawMode(1);
    auto* clean = new RecordingView(Rect(0, 0, 5, 5));
    auto* dirty = new RecordingView(Rect(10, 0, 15, 5));
    inner->addView(clean);
    inner->addView(dirty);
    outer.addView(inner);
    platform::DeviceContext dc = platform::getDC(frame.getWindow());
    {
        DrawContext context(&frame, dc, frame.getWindow());
        outer.draw(&context);
        EXPECT_EQ(clean->draws, 1);
        dirty->setDirty(true);
        outer.redrawIfDirty(&context);
    }
    platform::releaseDC(frame.getWindow(), dc);
    EXPECT_EQ(clean->draws, 2); // the nested container drew its whole picture
    EXPECT_EQ(dirty->draws, 2);
    EXPECT_EQ(clean->parentModeWhenDrawn, 0);
    EXPECT_EQ(inner->getRedrawMode(), 1);
    EXPECT_FALSE(outer.isDirty());
}

TEST_F(ViewContainerTest, PressGoesToTheTopmostEnabledChild) {
    ViewContainer container(Rect(10, 10, 60, 60), &frame);
    auto* bottom = new RecordingView(Rect(0, 0, 20, 20));
    auto* top = new RecordingView(Rect(10, 10, 30, 30));
    container.addView(bottom);
    container.addView(top);
    DrawContext context(&frame, nullptr, nullptr);
    Point overlap(25, 25); // local (15, 15)
    container.onMouseDown(&context, overlap);
    EXPECT_EQ(top->presses, 1);
    EXPECT_EQ(bottom->presses, 0);
    EXPECT_EQ(top->lastPoint.h, 15);

    top->setMouseEnabled(false);
    container.onMouseDown(&context, overlap);
    EXPECT_EQ(bottom->presses, 1);
    EXPECT_EQ(top->presses, 1);

    Point edge(30, 30); // local (20, 20): the bottom view's inclusive corner
    container.onMouseDown(&context, edge);
    EXPECT_EQ(bottom->presses, 2);
    Point outside(31, 31);
    container.onMouseDown(nullptr, outside);
    EXPECT_EQ(bottom->presses, 2);
}

TEST_F(ViewContainerTest, KeysGoFromTheTopUntilOneAnswers) {
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    auto* a = new RecordingView(Rect());
    auto* b = new RecordingView(Rect());
    container.addView(a);
    container.addView(b);
    KeyCode key{};
    EXPECT_EQ(container.onKeyDown(key), -1);
    a->keyAnswer = 5;
    EXPECT_EQ(container.onKeyDown(key), 5);
    b->keyAnswer = 7;
    EXPECT_EQ(container.onKeyDown(key), 7);
    EXPECT_EQ(container.onKeyUp(key), -1);
}

TEST_F(ViewContainerTest, DropsUseTheMouseAreaAndNeedAFrame) {
    ViewContainer container(Rect(10, 10, 60, 60), &frame);
    auto* target = new RecordingView(Rect(0, 0, 20, 20));
    container.addView(target);
    Point inside(30, 30); // local (20, 20), on the inclusive edge
    EXPECT_TRUE(container.onDrop(nullptr, 1, kDropFiles, inside));
    EXPECT_EQ(target->lastPoint.h, 20);
    target->acceptsDrop = false;
    EXPECT_FALSE(container.onDrop(nullptr, 1, kDropFiles, inside));

    ViewContainer loose(Rect(0, 0, 40, 40), nullptr);
    auto* other = new RecordingView(Rect(0, 0, 20, 20));
    loose.addView(other);
    Point p(5, 5);
    EXPECT_FALSE(loose.onDrop(nullptr, 1, kDropText, p));
    EXPECT_EQ(other->drops, 0);
}

TEST_F(ViewContainerTest, WheelGoesToTheChildUnderThePointer) {
    ViewContainer container(Rect(10, 10, 60, 60), &frame);
    auto* target = new RecordingView(Rect(0, 0, 20, 20));
    container.addView(target);
    DrawContext context(&frame, nullptr, nullptr);
    Point where(40, 40);
    headless::input().pointer = {100 + 50, 50 + 50}; // window (50, 50): local (40, 40)
    EXPECT_FALSE(container.onWheel(&context, where, 1.0f));
    headless::input().pointer = {100 + 25, 50 + 25}; // local (15, 15)
    EXPECT_TRUE(container.onWheel(&context, where, 1.0f));
    EXPECT_EQ(target->lastPoint.h, 30); // the argument made local
    EXPECT_EQ(context.offset.h, 0);     // restored
}

TEST_F(ViewContainerTest, OffscreenSurfaceLivesWhileAttached) {
    const int before = headless::liveObjectCount();
    ViewContainer container(Rect(0, 0, 40, 40), &frame);
    EXPECT_EQ(headless::liveObjectCount(), before);
    container.onAttached(&frame);
    EXPECT_GT(headless::liveObjectCount(), before);
    container.setBounds(Rect(0, 0, 50, 50));
    EXPECT_TRUE(container.isDirty());
    container.onRemoved(&frame);
    EXPECT_EQ(headless::liveObjectCount(), before);
    container.onAttached(&frame);
    container.setUseOffscreen(false);
    EXPECT_EQ(headless::liveObjectCount(), before);
}

} // namespace
