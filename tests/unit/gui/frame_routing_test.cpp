// How the frame routes input: presses, keys, the wheel and drops.
#include <gtest/gtest.h>

#include "frame_fixture.h"

namespace {

using FrameRouting = FrameTest;

TEST_F(FrameRouting, PressAtTheRightAndBottomEdgesReachesTheView) {
    makeFrame();
    ProbeView* v = add(Rect(10, 10, 20, 20));
    press(20, 20);
    EXPECT_EQ(v->presses, 1);
    EXPECT_EQ(v->lastPoint.h, 20);
    EXPECT_EQ(v->lastPoint.v, 20);
    press(10, 10);
    EXPECT_EQ(v->presses, 2);
    press(21, 15);
    press(15, 9);
    EXPECT_EQ(v->presses, 2);
}

TEST_F(FrameRouting, OnlyTheTopmostEnabledViewGetsAPress) {
    makeFrame();
    ProbeView* below = add(Rect(0, 0, 50, 50));
    ProbeView* above = add(Rect(20, 20, 60, 60));
    press(30, 30);
    EXPECT_EQ(above->presses, 1);
    EXPECT_EQ(below->presses, 0);
    above->setMouseEnabled(false);
    press(30, 30);
    EXPECT_EQ(above->presses, 1);
    EXPECT_EQ(below->presses, 1);
}

TEST_F(FrameRouting, ModalViewTakesPressesAloneEvenOutsideItself) {
    makeFrame();
    ProbeView* under = add(Rect(0, 0, 100, 100));
    ProbeView modal(Rect(40, 40, 60, 60));
    frame->setModalView(&modal);
    press(10, 10);
    EXPECT_EQ(under->presses, 0);
    EXPECT_EQ(modal.presses, 0);
    press(50, 50);
    EXPECT_EQ(under->presses, 0);
    EXPECT_EQ(modal.presses, 1);
    frame->setModalView(nullptr);
}

TEST_F(FrameRouting, AnyPressTakesTheFocusAwayFirst) {
    makeFrame();
    ProbeView* focused = add(Rect(0, 0, 10, 10));
    frame->setFocusView(focused);
    press(200, 100); // over no view at all
    EXPECT_EQ(focused->focusLosses, 1);
    EXPECT_FALSE(focused->lostFocusWithContext);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameRouting, PressesReadTheButtonsFromTheContext) {
    makeFrame();
    struct ButtonView : ProbeView {
        using ProbeView::ProbeView;
        bool hitTest(const Point& where, int buttons) override {
            seenButtons = buttons;
            return ProbeView::hitTest(where, buttons);
        }
        int seenButtons = 0;
    };
    auto* v = new ButtonView(Rect(0, 0, 10, 10));
    frame->addView(v);
    headless::input().keyDown[platform::kKeyLeftButton] = true;
    press(5, 5);
    EXPECT_EQ(v->seenButtons, kLButton);
    Point where(5, 5);
    frame->onMouseDown(nullptr, where);
    EXPECT_EQ(v->seenButtons, -1);
}

// A view waiting for a double click takes the second press from the queue.
TEST_F(FrameRouting, SecondLeftPressCompletesADoubleClick) {
    makeFrame();
    struct DoubleClickView : ProbeView {
        using ProbeView::ProbeView;
        void onMouseDown(DrawContext* context, Point& where) override {
            ProbeView::onMouseDown(context, where);
            doubleClicks += context->waitDoubleClick();
        }
        int doubleClicks = 0;
    };
    auto* v = new DoubleClickView(Rect(0, 0, 50, 50));
    frame->addView(v);
    headless::postButtonDown(frame->getWindow(), 5, 5);
    headless::postButtonDown(frame->getWindow(), 5, 5, false);
    headless::postButtonDown(frame->getWindow(), 5, 5);
    headless::dispatchMessages();
    EXPECT_EQ(v->doubleClicks, 1);
    EXPECT_EQ(v->presses, 2); // the right press still arrives, and waits in vain
}

TEST_F(FrameRouting, KeysGoToFocusThenModalThenTopmostFirst) {
    makeFrame();
    ProbeView* bottom = add(Rect(0, 0, 1, 1));
    ProbeView* top = add(Rect(0, 0, 1, 1));
    ProbeView* focused = add(Rect(0, 0, 1, 1));
    ProbeView modal(Rect(0, 0, 1, 1));
    KeyCode key{};
    EXPECT_EQ(frame->onKeyDown(key), -1);
    EXPECT_EQ(bottom->keyDowns, 1);
    EXPECT_EQ(top->keyDowns, 1);

    bottom->keyAnswer = 3;
    top->keyAnswer = 4;
    EXPECT_EQ(frame->onKeyUp(key), 4);
    EXPECT_EQ(bottom->keyUps, 0);

    frame->setModalView(&modal);
    modal.keyAnswer = 5;
    EXPECT_EQ(frame->onKeyDown(key), 5);
    frame->setFocusView(focused);
    focused->keyAnswer = 6;
    EXPECT_EQ(frame->onKeyDown(key), 6);
    EXPECT_EQ(modal.keyDowns, 1);
    frame->setModalView(nullptr);
}

TEST_F(FrameRouting, WheelActsWhereThePointerIs) {
    makeFrame();
    ProbeView* left = add(Rect(0, 0, 50, 50));
    ProbeView* right = add(Rect(100, 0, 150, 50));
    pointAt(120, 10);
    Point ignored(10, 10);
    EXPECT_TRUE(frame->onWheel(nullptr, ignored, 1.0f));
    EXPECT_EQ(right->wheels, 1);
    EXPECT_EQ(left->wheels, 0);
    EXPECT_EQ(right->lastPoint.h, 120);
    EXPECT_EQ(right->lastPoint.v, 10);
    EXPECT_EQ(frame->getViewAt(), right);
    pointAt(70, 10);
    EXPECT_FALSE(frame->onWheel(nullptr, ignored, 1.0f));
    EXPECT_EQ(frame->getViewAt(), nullptr);
    // The temporary context is given back.
    EXPECT_EQ(headless::callCount("GetDC"), headless::callCount("ReleaseDC"));
}

TEST_F(FrameRouting, ViewAtThePointerIgnoresMouseEnablingButNotTheModalView) {
    makeFrame();
    ProbeView* v = add(Rect(0, 0, 50, 50));
    v->setMouseEnabled(false);
    pointAt(50, 50);
    EXPECT_EQ(frame->getViewAt(), v);
    ProbeView modal(Rect(200, 0, 210, 10));
    frame->setModalView(&modal);
    EXPECT_EQ(frame->getViewAt(), &modal);
    frame->setModalView(nullptr);
}

TEST_F(FrameRouting, InvalidateMarksViewsTouchingTheArea) {
    makeFrame();
    ProbeView* touching = add(Rect(10, 10, 20, 20));
    ProbeView* apart = add(Rect(30, 30, 40, 40));
    frame->invalidate(Rect(0, 0, 10, 10));
    EXPECT_TRUE(touching->isDirty());
    EXPECT_FALSE(apart->isDirty());
}

using FrameDrops = FrameTest;

TEST_F(FrameDrops, TextGoesToTheViewUnderThePointer) {
    makeFrame();
    ProbeView* below = add(Rect(0, 0, 100, 100));
    ProbeView* target = add(Rect(50, 50, 100, 100));
    pointAt(60, 70);
    const std::string block("hello", 6);
    EXPECT_TRUE(headless::dropText(frame->getWindow(), block));
    EXPECT_EQ(target->drops, 1);
    EXPECT_EQ(below->drops, 0);
    EXPECT_EQ(target->droppedType, kDropText);
    EXPECT_EQ(target->droppedCount, 6);
    ASSERT_EQ(target->droppedItems.size(), 1u);
    EXPECT_EQ(target->droppedItems[0], "hello");
    EXPECT_EQ(target->lastPoint.h, 60);
    EXPECT_EQ(target->lastPoint.v, 70);
}

TEST_F(FrameDrops, AViewThatRefusesPassesTheDropDown) {
    makeFrame();
    ProbeView* below = add(Rect(0, 0, 100, 100));
    ProbeView* above = add(Rect(0, 0, 100, 100));
    above->acceptsDrop = false;
    pointAt(10, 10);
    EXPECT_TRUE(headless::dropText(frame->getWindow(), std::string("x", 2)));
    EXPECT_EQ(above->drops, 1);
    EXPECT_EQ(below->drops, 1);
    below->acceptsDrop = false;
    EXPECT_FALSE(headless::dropText(frame->getWindow(), std::string("x", 2)));
    pointAt(150, 10);
    EXPECT_FALSE(headless::dropText(frame->getWindow(), std::string("x", 2)));
    EXPECT_EQ(below->drops, 2);
}

TEST_F(FrameDrops, FileListsArriveWithShortcutsResolved) {
    makeFrame();
    ProbeView* v = add(Rect(0, 0, 268, 107));
    headless::setShellLink("C:\\songs\\take.LNK", "C:\\SONGS~1\\TAKE1.WAV");
    headless::setShellLink("C:\\songs\\lower.lnk", "C:\\SONGS~1\\LOWER.WAV");
    headless::setShellLink("C:\\songs\\take.lnk.txt", "C:\\never");
    pointAt(5, 5);
    EXPECT_TRUE(headless::dropFiles(
        frame->getWindow(), {"C:\\songs\\take.LNK", "C:\\songs\\lower.lnk",
                             "C:\\songs\\take.lnk.txt", "C:\\songs\\broken.lnk", "C:\\plain.wav"}));
    EXPECT_EQ(v->droppedType, kDropFiles);
    ASSERT_EQ(v->droppedCount, 5);
    EXPECT_EQ(v->droppedItems[0], "C:\\SONGS~1\\TAKE1.WAV");
    EXPECT_EQ(v->droppedItems[1], "C:\\SONGS~1\\LOWER.WAV");
    EXPECT_EQ(v->droppedItems[2], "C:\\songs\\take.lnk.txt"); // not the last extension
    EXPECT_EQ(v->droppedItems[3], "C:\\songs\\broken.lnk");   // unresolvable: unchanged
    EXPECT_EQ(v->droppedItems[4], "C:\\plain.wav");
}

TEST_F(FrameDrops, RefusedWhileAModalOrFocusViewIsSet) {
    makeFrame();
    ProbeView* v = add(Rect(0, 0, 268, 107));
    pointAt(5, 5);
    frame->setFocusView(v);
    EXPECT_FALSE(headless::dropText(frame->getWindow(), std::string("x", 2)));
    frame->setFocusView(nullptr);
    ProbeView modal(Rect(0, 0, 268, 107));
    frame->setModalView(&modal);
    EXPECT_FALSE(headless::dropFiles(frame->getWindow(), {"C:\\a.wav"}));
    frame->setModalView(nullptr);
    EXPECT_EQ(v->drops, 0);
    EXPECT_EQ(modal.drops, 0);
}

TEST_F(FrameDrops, EmptyDataIsNotDelivered) {
    makeFrame();
    ProbeView* v = add(Rect(0, 0, 268, 107));
    pointAt(5, 5);
    EXPECT_FALSE(headless::dropText(frame->getWindow(), std::string()));
    EXPECT_FALSE(headless::dropFiles(frame->getWindow(), {}));
    EXPECT_EQ(v->drops, 0);
}

TEST_F(FrameDrops, OverlongNamesAreCutToTheNameBuffer) {
    makeFrame();
    ProbeView* v = add(Rect(0, 0, 268, 107));
    pointAt(5, 5);
    const std::string longName(3000, 'a');
    EXPECT_TRUE(headless::dropFiles(frame->getWindow(), {longName}));
    ASSERT_EQ(v->droppedItems.size(), 1u);
    EXPECT_EQ(v->droppedItems[0].size(), 1023u);
}

} // namespace
