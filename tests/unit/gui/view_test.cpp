// The base view: edges, the dirty cycle, reference counts and messages.
#include <gtest/gtest.h>

#include <string>

#include "canvas.h"
#include "gui/frame.h"
#include "test_views.h"

namespace {

TEST(View, HitTestIncludesEdgesOverlapsCountsTouching) {
    View view(Rect(10, 10, 20, 20));
    EXPECT_TRUE(view.hitTest(Point(20, 20)));
    EXPECT_TRUE(view.hitTest(Point(10, 10)));
    EXPECT_FALSE(view.hitTest(Point(21, 20)));
    EXPECT_FALSE(view.hitTest(Point(9, 15)));
    EXPECT_TRUE(view.overlaps(Rect(20, 20, 30, 30)));
    EXPECT_FALSE(view.overlaps(Rect(21, 0, 30, 30)));
    EXPECT_TRUE(view.overlaps(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(view.overlaps(Rect(0, 0, 10, 9)));
}

TEST(View, StartsWithItsDefaults) {
    View view(Rect(1, 2, 3, 4));
    Rect area;
    view.getMouseArea(area);
    EXPECT_EQ(area.right, 3);
    EXPECT_EQ(view.getRefCount(), 1);
    EXPECT_FALSE(view.isDirty());
    EXPECT_TRUE(view.isMouseEnabled());
    EXPECT_FALSE(view.isTransparent());
    EXPECT_EQ(view.getEditor(), nullptr);
    EXPECT_EQ(view.getFrame(), nullptr);
    KeyCode key{};
    EXPECT_EQ(view.onKeyDown(key), -1);
    EXPECT_EQ(view.onKeyUp(key), -1);
    Point where;
    EXPECT_FALSE(view.onDrop(nullptr, 0, kDropFiles, where));
    EXPECT_FALSE(view.onWheel(nullptr, where, 1.0f));
    EXPECT_TRUE(view.onAttached(nullptr));
    EXPECT_TRUE(view.onRemoved(nullptr));
    view.redraw(); // no frame: nothing happens
}

TEST(View, SetBoundsLeavesItDirtyAndOneRedrawCleansIt) {
    RecordingView view(Rect(0, 0, 5, 5));
    view.setBounds(Rect(1, 1, 6, 6));
    EXPECT_TRUE(view.isDirty());
    Rect mouse;
    view.getMouseArea(mouse);
    EXPECT_EQ(mouse.left, 0); // the mouse area is separate
    view.redrawIfDirty(nullptr);
    EXPECT_EQ(view.draws, 1);
    EXPECT_FALSE(view.isDirty());
    view.redrawIfDirty(nullptr);
    EXPECT_EQ(view.draws, 1);
}

TEST(View, ReleaseFreesAtTheLastReference) {
    bool freed = false;
    View* view = new RecordingView(Rect(), colorGreen, &freed);
    view->retain();
    view->release();
    EXPECT_FALSE(freed);
    EXPECT_EQ(view->getRefCount(), 1);
    view->release();
    EXPECT_TRUE(freed);
}

TEST(View, MessagesAreComparedByAddress) {
    View view{Rect()};
    ViewContainer container(Rect(), nullptr);
    const std::string sameCharacters = "kMsgCheckIfViewContainer";
    EXPECT_EQ(container.onMessage(&view, kMsgCheckIfViewContainer), 1);
    EXPECT_EQ(container.onMessage(&view, sameCharacters.c_str()), 0);
    EXPECT_EQ(view.onMessage(&container, kMsgCheckIfViewContainer), 0);
    EXPECT_EQ(container.onMessage(&view, "LooseFocus"), 0);
}

TEST(View, RedrawDrawsAtOnceThroughTheFrame) {
    Canvas host;
    Frame frame(Rect(0, 0, 30, 30), host.window, nullptr);
    // The frame takes over the view's one reference.
    RecordingView& view = *new RecordingView(Rect(5, 5, 10, 10), colorRed);
    frame.addView(&view);
    view.redraw();
    EXPECT_EQ(view.draws, 1);
    const raster::Surface& window = *headless::surfaceOf(frame.getWindow());
    EXPECT_EQ(window.get(5, 5), 0x0000FFu);
    EXPECT_EQ(window.get(10, 10), raster::kBlack);
}

} // namespace
