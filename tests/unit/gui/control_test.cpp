// The control base: starting values, the dirty rule, clamping, change
// notification, double clicks, idle forwarding and the background reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "gui/bitmap.h"
#include "gui/frame.h"
#include "platform/headless/headless.h"
#include "test_controls.h"

namespace {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { headless::resetInput(); }
    void TearDown() override { headless::resetInput(); }
};

std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

TEST_F(ControlTest, StartsDirtyWithItsDefaultsUntilFirstDrawn) {
    CountingControl control(nullptr, 7);
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getOldValue(), 1.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getMin(), 0.0f);
    EXPECT_EQ(control.getMax(), 1.0f);
    EXPECT_EQ(bitsOf(control.getWheelStep()), 0x3DCCCCCDu);
    EXPECT_EQ(control.getTag(), 7);
    EXPECT_EQ(control.getBackground(), nullptr);
    EXPECT_TRUE(control.isMouseEnabled());
    EXPECT_FALSE(control.isTransparent());

    EXPECT_TRUE(control.isDirty());
    control.redrawIfDirty(nullptr);
    EXPECT_EQ(control.draws, 1);
    EXPECT_FALSE(control.isDirty());
    control.redrawIfDirty(nullptr);
    EXPECT_EQ(control.draws, 1);
}

TEST_F(ControlTest, SetDirtyMakesTheOldValueDifferAndClearingMatchesIt) {
    CountingControl control;
    control.setValue(-1.0f);
    control.setDirty(true);
    EXPECT_EQ(control.getOldValue(), 0.0f);
    EXPECT_TRUE(control.isDirty());

    control.setValue(0.3f);
    control.setDirty(true);
    EXPECT_EQ(control.getOldValue(), -1.0f);
    EXPECT_TRUE(control.isDirty());

    control.setDirty(false);
    EXPECT_EQ(control.getOldValue(), 0.3f);
    EXPECT_FALSE(control.isDirty());

    // A value change alone makes it dirty again.
    control.setValue(0.4f);
    EXPECT_TRUE(control.isDirty());
}

TEST_F(ControlTest, ClampValueKeepsTheBoundsAndTurnsNotANumberIntoTheMinimum) {
    CountingControl control;
    const struct {
        float in;
        float out;
    } cases[] = {{1.5f, 1.0f},
                 {-0.2f, 0.0f},
                 {0.7f, 0.7f},
                 {1.0f, 1.0f},
                 {std::numeric_limits<float>::quiet_NaN(), 0.0f},
                 {std::numeric_limits<float>::infinity(), 1.0f},
                 {-std::numeric_limits<float>::infinity(), 0.0f}};
    for (const auto& c : cases) {
        control.setValue(c.in);
        control.clampValue();
        EXPECT_EQ(control.getValue(), c.out) << "from " << c.in;
    }

    control.setMin(0.25f);
    control.setMax(0.5f);
    control.setValue(std::nanf(""));
    control.clampValue();
    EXPECT_EQ(control.getValue(), 0.25f);
    control.setValue(0.9f);
    control.clampValue();
    EXPECT_EQ(control.getValue(), 0.5f);
}

TEST_F(ControlTest, SettersStoreUnchangedWithoutTellingTheListener) {
    RecordingListener listener;
    CountingControl control(&listener);
    control.setValue(2.0f);
    EXPECT_EQ(control.getValue(), 2.0f);
    control.setDefaultValue(-3.0f);
    EXPECT_EQ(control.getDefaultValue(), -3.0f);
    control.setWheelStep(0.25f);
    EXPECT_EQ(control.getWheelStep(), 0.25f);
    control.setOldValue(2.0f);
    EXPECT_EQ(control.getOldValue(), 2.0f);
    control.setTag(4);
    EXPECT_EQ(control.getTag(), 4);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(control.draws, 0);

    // Only the next user change clamps.
    control.userChange(control.getValue(), nullptr);
    EXPECT_EQ(control.getValue(), 1.0f);
}

TEST_F(ControlTest, ListenerIsToldOnlyWhenTheValueDiffersFromTheOneLastDrawn) {
    RecordingListener listener;
    CountingControl control(&listener, 1);
    control.userChange(0.6f, nullptr);
    control.userChange(0.6f, nullptr); // drawn at 0.6 by the listener: no news
    control.userChange(1.7f, nullptr); // clamped to 1.0
    control.userChange(3.0f, nullptr); // clamped to 1.0 again: no news
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_EQ(listener.values[0], 0.6f);
    EXPECT_EQ(listener.values[1], 1.0f);
    EXPECT_EQ(control.draws, 2);

    // A listener that does not redraw hears of every change while dirty.
    RecordingListener lazy(false);
    CountingControl other(&lazy);
    other.userChange(0.5f, nullptr);
    other.userChange(0.5f, nullptr);
    EXPECT_EQ(lazy.values.size(), 2u);
}

TEST_F(ControlTest, WithoutListenerUserChangesStillMoveTheValueAndRedraw) {
    CountingControl control;
    control.userChange(0.8f, nullptr);
    EXPECT_EQ(control.getValue(), 0.8f);
    EXPECT_TRUE(control.isDirty());
    control.redrawIfDirty(nullptr);
    EXPECT_EQ(control.draws, 1);
    EXPECT_FALSE(control.isDirty());
}

TEST_F(ControlTest, DoubleClickTimeComesFromThePlatformWithAFloor) {
    headless::input().doubleClickTime = 200;
    EXPECT_EQ(CountingControl().getDoubleClickTime(), 250);
    headless::input().doubleClickTime = 500;
    EXPECT_EQ(CountingControl().getDoubleClickTime(), 500);
    headless::input().doubleClickTime = 0xFFFFFFFFu;
    EXPECT_GT(CountingControl().getDoubleClickTime(), 0);
}

TEST_F(ControlTest, DoubleClicksCountByTheFramesTicks) {
    headless::input().doubleClickTime = 500;
    headless::input().tickStep = 0;
    CountingEditor editor;
    Frame frame(Rect(0, 0, 100, 100), nullptr, &editor);
    auto* control = new CountingControl();
    frame.addView(control);

    auto clickAt = [&](std::uint32_t ticks) {
        headless::input().ticks = ticks;
        return control->isDoubleClick();
    };
    EXPECT_FALSE(clickAt(1000)) << "the first click never counts";
    EXPECT_TRUE(clickAt(1100));
    EXPECT_FALSE(clickAt(1200)) << "the click after a double click starts a new pair";
    EXPECT_TRUE(clickAt(1300));
    EXPECT_FALSE(clickAt(1400));
    EXPECT_FALSE(clickAt(1900)) << "500 ms apart is too slow";
    EXPECT_FALSE(clickAt(2500));
}

TEST_F(ControlTest, FrameWithoutEditorNeverReportsADoubleClick) {
    headless::input().tickStep = 0;
    Frame frame(Rect(0, 0, 100, 100), nullptr, nullptr);
    auto* control = new CountingControl();
    frame.addView(control);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(control->isDoubleClick());
}

TEST_F(ControlTest, ProcessIdleGoesThroughTheFrameToTheEditor) {
    CountingEditor editor;
    CountingControl loose;
    loose.processIdle(); // no frame: nothing

    Frame frame(Rect(0, 0, 100, 100), nullptr, &editor);
    auto* control = new CountingControl();
    frame.addView(control);
    control->processIdle();
    control->processIdle();
    EXPECT_EQ(editor.idles, 2);
}

TEST_F(ControlTest, HoldsItsBackgroundWhileItHasIt) {
    Bitmap* first = new Bitmap(128);
    Bitmap* second = new Bitmap(129);
    {
        CountingControl control(nullptr, 0, first);
        EXPECT_EQ(first->getRefCount(), 2);
        control.setBackground(second);
        EXPECT_EQ(first->getRefCount(), 1);
        EXPECT_EQ(second->getRefCount(), 2);
        control.setBackground(second); // the same picture again stays alive
        EXPECT_EQ(second->getRefCount(), 2);
        EXPECT_EQ(control.getBackground(), second);
    }
    EXPECT_EQ(second->getRefCount(), 1);
    first->release();
    second->release();

    CountingControl none;
    none.setBackground(nullptr);
    EXPECT_EQ(none.getBackground(), nullptr);
}

} // namespace
