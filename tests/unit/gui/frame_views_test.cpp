// The frame's view array: references, order, growth, the modal and focus
// views, and the background picture.
#include <gtest/gtest.h>

#include <string>

#include "frame_fixture.h"
#include "gui/bitmap.h"

namespace {

using FrameViews = FrameTest;

TEST_F(FrameViews, AddingHandsTheCreatorsReferenceOver) {
    makeFrame();
    bool freed = false;
    auto* v = new ProbeView(Rect(0, 0, 10, 10), colorGreen, &freed);
    EXPECT_TRUE(frame->addView(v));
    EXPECT_EQ(v->getRefCount(), 1);
    EXPECT_EQ(v->getFrame(), frame);
    EXPECT_EQ(v->attached, 1);
    EXPECT_FALSE(v->isDirty());

    frame->removeView(v, false);
    EXPECT_FALSE(freed);
    EXPECT_EQ(v->getRefCount(), 1);
    EXPECT_EQ(v->removed, 1);
    EXPECT_FALSE(frame->isChild(v));

    frame->addView(v);
    EXPECT_TRUE(frame->removeView(v, true));
    EXPECT_TRUE(freed);
}

TEST_F(FrameViews, KeepsInsertionOrderAndClosesGapsOnRemoval) {
    makeFrame();
    ProbeView* a = add(Rect(0, 0, 1, 1));
    ProbeView* b = add(Rect(0, 0, 1, 1));
    ProbeView* c = add(Rect(0, 0, 1, 1));
    EXPECT_EQ(frame->getViewCount(), 3);
    frame->removeView(b, true);
    EXPECT_EQ(frame->getViewCount(), 2);
    EXPECT_EQ(frame->getView(0), a);
    EXPECT_EQ(frame->getView(1), c);
    EXPECT_EQ(frame->getView(-1), nullptr);
    EXPECT_EQ(frame->getView(frame->getViewCount()), nullptr);
    // A view the frame does not hold is left alone.
    ProbeView stranger(Rect(0, 0, 1, 1));
    EXPECT_TRUE(frame->removeView(&stranger, false));
    EXPECT_EQ(stranger.removed, 0);
    EXPECT_EQ(frame->getViewCount(), 2);
    EXPECT_FALSE(frame->addView(nullptr));
}

TEST_F(FrameViews, GrowsPastTwentyAndFortyViews) {
    makeFrame();
    std::vector<ProbeView*> added;
    for (int i = 0; i < 45; ++i)
        added.push_back(add(Rect(i, 0, i + 1, 1)));
    ASSERT_EQ(frame->getViewCount(), 45);
    for (int i = 0; i < 45; ++i)
        EXPECT_EQ(frame->getView(i), added[static_cast<std::size_t>(i)]) << i;
}

TEST_F(FrameViews, RemoveAllTakesFocusAwayThenReleasesInOrder) {
    makeFrame();
    std::string order;
    struct Named : ProbeView {
        Named(std::string* record, char name)
            : ProbeView(Rect(0, 0, 1, 1)), log(record), id(name) {}
        bool onRemoved(View* parent) override {
            *log += id;
            return ProbeView::onRemoved(parent);
        }
        void loseFocus(DrawContext* context) override {
            *log += '!';
            ProbeView::loseFocus(context);
        }
        std::string* log;
        char id;
    };
    auto* a = new Named(&order, 'a');
    auto* b = new Named(&order, 'b');
    frame->addView(a);
    frame->addView(b);
    frame->setFocusView(b);
    EXPECT_TRUE(frame->removeAll(true));
    EXPECT_EQ(order, "!ab");
    EXPECT_EQ(frame->getViewCount(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    // The array is gone; adding starts over.
    EXPECT_TRUE(frame->addView(new ProbeView(Rect(0, 0, 1, 1))));
    EXPECT_EQ(frame->getViewCount(), 1);
}

TEST_F(FrameViews, OnlyOneModalViewAtATime) {
    makeFrame();
    ProbeView a(Rect(0, 0, 10, 10));
    ProbeView b(Rect(0, 0, 10, 10));
    EXPECT_TRUE(frame->setModalView(&a));
    EXPECT_EQ(a.attached, 1);
    EXPECT_FALSE(frame->setModalView(&b));
    EXPECT_EQ(frame->getModalView(), &a);
    EXPECT_EQ(b.attached, 0);
    EXPECT_TRUE(frame->setModalView(nullptr));
    EXPECT_EQ(a.removed, 1);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_TRUE(frame->setModalView(&b));
    frame->setModalView(nullptr);
}

TEST_F(FrameViews, NewFocusViewIsNotToldOnlyThePreviousOne) {
    makeFrame();
    ProbeView* a = add(Rect(0, 0, 1, 1));
    ProbeView* b = add(Rect(0, 0, 1, 1));
    frame->setFocusView(a);
    EXPECT_EQ(a->focusLosses, 0);
    frame->setFocusView(b);
    EXPECT_EQ(a->focusLosses, 1);
    EXPECT_FALSE(a->lostFocusWithContext);
    EXPECT_EQ(b->focusLosses, 0);
    EXPECT_EQ(frame->getFocusView(), b);
}

// Removing the focus or modal view must not leave the frame pointing at it:
// once freed, the next press, key or idle would reach freed memory.
TEST_F(FrameViews, RemovingTheFocusOrModalViewForgetsIt) {
    makeFrame();
    ProbeView* focused = add(Rect(0, 0, 10, 10));
    ProbeView* modal = add(Rect(0, 0, 10, 10));
    ProbeView* other = add(Rect(20, 20, 30, 30));
    frame->setFocusView(focused);
    frame->setModalView(modal);
    frame->removeView(focused, true);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    frame->removeView(modal, true);
    EXPECT_EQ(frame->getModalView(), nullptr);

    press(25, 25);
    EXPECT_EQ(other->presses, 1);
    KeyCode key{};
    EXPECT_EQ(frame->onKeyDown(key), -1);
    frame->idle();
}

TEST_F(FrameViews, RemovingAllForgetsAModalViewAmongTheViews) {
    makeFrame();
    ProbeView* modal = add(Rect(0, 0, 10, 10));
    frame->setModalView(modal);
    frame->removeAll(true);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_FALSE(frame->isSomethingDirty());
}

TEST_F(FrameViews, ModalViewFromOutsideTheArraySurvivesRemoveAll) {
    makeFrame();
    ProbeView modal(Rect(0, 0, 10, 10));
    frame->setModalView(&modal);
    frame->removeAll(true);
    EXPECT_EQ(frame->getModalView(), &modal);
    frame->setModalView(nullptr);
}

TEST_F(FrameViews, HoldsAReferenceToTheBackground) {
    makeFrame();
    auto* first = new Bitmap(128);
    auto* second = new Bitmap(128);
    frame->setBackground(first);
    EXPECT_EQ(first->getRefCount(), 2);
    frame->setBackground(second);
    EXPECT_EQ(first->getRefCount(), 1);
    EXPECT_EQ(second->getRefCount(), 2);
    first->release();
    delete frame;
    frame = nullptr;
    EXPECT_EQ(second->getRefCount(), 1);
    second->release();
}

TEST_F(FrameViews, DeletingTheFrameFreesItsViews) {
    makeFrame();
    bool freed[2] = {false, false};
    frame->addView(new ProbeView(Rect(0, 0, 1, 1), colorRed, &freed[0]));
    frame->addView(new ProbeView(Rect(0, 0, 1, 1), colorRed, &freed[1]));
    delete frame;
    frame = nullptr;
    EXPECT_TRUE(freed[0]);
    EXPECT_TRUE(freed[1]);
}

} // namespace
