// The slider: its geometry, value to handle and pointer to value in both
// directions (the editor panel's sliders as the worked case), the drag loop
// with its edit bracket and fine tuning, the default-value gesture, the wheel,
// the arrow keys and drawing through its offscreen picture.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "editor/panel_layout.h"
#include "gui/bitmap.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "gui/toolkit_state.h"
#include "handle_finder.h"
#include "host/audio_effect_x.h"
#include "mouse_script.h"
#include "platform/graphics.h"
#include "platform/headless/headless.h"
#include "test_controls.h"

namespace {

// The editor's geometry (panel_layout.h): a 268 by 107 frame at screen
// (100, 50) whose upper slider spans x 11 to 256 at y 49 to 63 with the
// 14-pixel handle.
using namespace panel_layout;
constexpr float kTravelF = static_cast<float>(kTravel);
constexpr int kScreenX = 100;
constexpr int kScreenY = 50;
constexpr int kRow = kNcvolumeTop + kHandleSize / 2; // the middle of the upper slider

// The plain pointer mapping of the editor's sliders.
float plainValue(int x) {
    return valueForPress(x);
}

class SliderTest : public ::testing::Test {
protected:
    SliderTest() {
        headless::resetInput();
        startBlendServices();
        editor = new GuiEditor(&effect); // owned by the effect
        parent = headless::createWindow(kScreenX, kScreenY, 268, 107);
        frame = new Frame(Rect(0, 0, 268, 107), parent, editor);
        background = new Bitmap(128);
        handle = new Bitmap(129);
    }
    ~SliderTest() override {
        delete frame;
        background->release();
        handle->release();
        headless::destroyWindow(parent);
        headless::resetInput();
    }

    HorizontalSlider* addEditorSlider(int top = kNcvolumeTop, int tag = 0, float value = 0.0f) {
        auto* slider = new HorizontalSlider(sliderRect(top), &listener, tag, kSliderLeft,
                                            kSliderLeft + kTravel, handle, background,
                                            Point(kSliderLeft, top), styleMinLeft);
        slider->setValue(value);
        slider->setTransparent(false);
        frame->addView(slider);
        return slider;
    }

    // A press at (x, y) with `state`, then the steps the drag loop polls (or
    // the pointer events of them).
    void press(int x, int y, int state, std::vector<MouseStep> then = {{0, 0, 0}}) {
        playPress(*frame, Point(kScreenX, kScreenY), x, y, state, then, byEvents);
    }

    const raster::Surface& window() const { return *headless::surfaceOf(frame->getWindow()); }

    Log log;
    EditLogEffect effect{log};
    GuiEditor* editor;
    platform::Window parent;
    Frame* frame;
    Bitmap* background;
    Bitmap* handle;
    RecordingListener listener;
    bool byEvents = false;
};

// The drags, once in the control's own loop (the Windows way) and once
// step by step from the pointer events the frame hands over: the same
// values, brackets and notifications either way.
class SliderDragTest : public SliderTest, public ::testing::WithParamInterface<bool> {
protected:
    SliderDragTest() { byEvents = GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(BothDragStyles, SliderDragTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& style) {
                             return style.param ? "PointerEvents" : "ModalLoop";
                         });

TEST_F(SliderTest, EditorSliderGeometry) {
    HorizontalSlider* slider = addEditorSlider();
    EXPECT_EQ(slider->getStyle(), styleHorizontal | styleMinLeft);
    EXPECT_EQ(slider->getTravel(), kTravel);
    EXPECT_EQ(slider->getHandleMinLimit(), 0);
    EXPECT_EQ(slider->getHandleMaxLimit(), 245);
    EXPECT_EQ(handle->getRefCount(), 2);
    EXPECT_EQ(background->getRefCount(), 2);
    EXPECT_TRUE(slider->getJumpOnClick());
    EXPECT_EQ(slider->getFineFactor(), 10.0f);
}

TEST_F(SliderTest, ValueToHandleLeftEdgeIsElevenPlusTruncatedTravel) {
    HorizontalSlider* slider = addEditorSlider();
    for (int step = 0; step <= 20; ++step) {
        const float value = static_cast<float>(step) / 20.0f;
        slider->setValue(value);
        const Rect r = slider->handleRectInSlider();
        const int left = static_cast<int>(kTravelF * value);
        EXPECT_EQ(r.left, left) << value;
        EXPECT_EQ(r.right, left + kHandleSize) << value;
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.bottom, kHandleSize);
    }
    // And on the window, through the offscreen picture.
    for (float value : {0.0f, 1.0f, valueForPress(132), 0.3f}) {
        slider->setValue(value);
        frame->drawView(slider);
        EXPECT_EQ(handleColumns(window(), kNcvolumeTop),
                  std::vector<int>{kSliderLeft + static_cast<int>(kTravel * value)})
            << value;
    }
}

TEST_F(SliderTest, ValuesOutsideTheRangeDrawTheWholeHandleAtTheNearEnd) {
    HorizontalSlider* slider = addEditorSlider();
    slider->setValue(-0.5f);
    frame->drawView(slider);
    EXPECT_EQ(handleColumns(window(), kNcvolumeTop), std::vector<int>{kSliderLeft});
    // Beyond 1 the handle is drawn whole at the right end, not cut or inverted.
    slider->setValue(1.5f);
    EXPECT_EQ(slider->handleRectInSlider().left, kTravel);
    EXPECT_EQ(slider->handleRectInSlider().right, 245);
    frame->drawView(slider);
    EXPECT_EQ(handleColumns(window(), kNcvolumeTop), std::vector<int>{kSliderLeft + kTravel});
    // Values no pixel coordinate can hold stay at the ends; not a number counts as 0.
    for (float value : {1.0e30f, -1.0e30f, std::nanf("")}) {
        slider->setValue(value);
        const Rect r = slider->handleRectInSlider();
        EXPECT_EQ(r.right - r.left, kHandleSize) << value;
        EXPECT_TRUE(r.left == 0 || r.left == kTravel) << value;
    }
}

TEST_F(SliderTest, DrawingCopiesThePanelUnderTheSliderThenTheHandle) {
    HorizontalSlider* slider = addEditorSlider(kIpvolumeTop, 1, 0.0f);
    frame->drawView(slider);
    const raster::Surface& panel = *headless::surfaceOf(background->getHandle());
    // Right of the handle the window shows exactly the panel picture.
    int differences = 0;
    for (int y = kIpvolumeTop; y < kIpvolumeTop + kHandleSize; ++y)
        for (int x = kSliderLeft + kHandleSize; x < kSliderRight; ++x)
            differences += window().get(x, y) != panel.get(x, y);
    EXPECT_EQ(differences, 0);
    // The handle's white corners let the panel through.
    EXPECT_EQ(window().get(kSliderLeft, kIpvolumeTop), panel.get(kSliderLeft, kIpvolumeTop));
    EXPECT_EQ(handleColumns(window(), kIpvolumeTop), std::vector<int>{kSliderLeft});
    EXPECT_FALSE(slider->isDirty());
}

TEST_P(SliderDragTest, PointerToValueWithTheHandleJumpingUnderThePointer) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.25f);
    for (int x : {17, 248, 132}) {
        listener.values.clear();
        press(x, kRow, kLButton);
        EXPECT_EQ(slider->getValue(), plainValue(x)) << x;
        EXPECT_EQ(listener.values, std::vector<float>{plainValue(x)}) << x;
    }
    EXPECT_EQ(plainValue(17), 0.0f);
    EXPECT_EQ(plainValue(248), 1.0f);
    EXPECT_EQ(plainValue(132), valueForPress(132));
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0", "begin 0", "end 0", "begin 0", "end 0"}));
    EXPECT_EQ(frame->getFocusView(), slider);
    // The listener redrew the slider at each new value.
    EXPECT_EQ(handleColumns(window(), kNcvolumeTop),
              std::vector<int>{kSliderLeft + static_cast<int>(kTravelF * plainValue(132))});
}

TEST_P(SliderDragTest, DragFarPastEitherEndStopsAtTheEndsAndTellsOnlyChanges) {
    HorizontalSlider* slider = addEditorSlider();
    press(132, kRow, kLButton,
          {{300, kRow, kLButton},
           {900, 10, kLButton},
           {-40, kRow, kLButton},
           {-400, 200, kLButton},
           {132, kRow, kLButton},
           {132, kRow, kLButton},
           {132, kRow, 0}});
    EXPECT_EQ(listener.values,
              (std::vector<float>{valueForPress(132), 1.0f, 0.0f, valueForPress(132)}));
    EXPECT_EQ(slider->getValue(), valueForPress(132));
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0"}));
    if (byEvents)
        EXPECT_EQ(effect.idles, 0) << "the host's loop runs between the moves, not the editor's";
    else
        EXPECT_GT(effect.idles, 0) << "the drag loop lets the editor idle";
}

// Followed by events, the drag is open from the press to the release: the
// bracket stays open and every move is a step. Cut short (the slider
// removed, the window destroyed, a press whose release went elsewhere) it
// closes its bracket, and later moves reach nothing.
TEST_F(SliderTest, AFollowedDragIsOpenUntilItsReleaseOrUntilCutShort) {
    HorizontalSlider* slider = addEditorSlider();
    headless::input().dragsByEvents = true;
    headless::input().keyDown[platform::kKeyLeftButton] = true;
    frame->onButtonDownMessage(132, kRow);
    EXPECT_EQ(effect.log, (Log{"begin 0"}));
    EXPECT_EQ(frame->getPointerFollower(), slider);
    frame->onPointerMessage(60, kRow + 30, kLButton);
    frame->onPointerMessage(200, kRow, kLButton | kRButton);
    EXPECT_EQ(listener.values,
              (std::vector<float>{plainValue(132), plainValue(60), plainValue(200)}));
    frame->onPointerMessage(200, kRow, kRButton);
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0"}));
    EXPECT_EQ(frame->getPointerFollower(), nullptr);
    frame->onPointerMessage(20, kRow, kLButton);
    EXPECT_EQ(slider->getValue(), plainValue(200)) << "a move after the release is no step";

    frame->onButtonDownMessage(100, kRow);
    frame->onButtonDownMessage(110, kRow);
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0", "begin 0", "end 0", "begin 0"}));
    frame->removeView(slider);
    EXPECT_EQ(effect.log.back(), "end 0");
    EXPECT_EQ(frame->getPointerFollower(), nullptr);
    frame->onPointerMessage(20, kRow, kLButton);

    HorizontalSlider* other = addEditorSlider(80, 1);
    frame->onButtonDownMessage(100, 87);
    EXPECT_EQ(frame->getPointerFollower(), other);
    headless::destroyWindow(parent);
    parent = nullptr;
    EXPECT_EQ(effect.log.back(), "end 1");
    EXPECT_EQ(frame->getPointerFollower(), nullptr);
}

TEST_P(SliderDragTest, ShiftMovesATenthAsFastFromTheValueItCameInAt) {
    // Travel 100 from x 26: the plain mapping gives 0.6 at x 86.
    auto* slider = new HorizontalSlider(Rect(20, 30, 134, 44), &listener, 3, Point(0, 0), 114,
                                        handle, nullptr, Point(0, 0), styleMinLeft);
    frame->addView(slider);
    EXPECT_EQ(slider->getTravel(), 100);
    slider->setValue(0.5f);
    press(86, 37, kLButton | kShift);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.51f);

    // Shift pressed in the middle of a drag: the value goes on from where it
    // is, a tenth as fast; without Shift it follows the plain mapping again.
    listener.values.clear();
    press(
        46, 37, kLButton,
        {{46, 37, kLButton | kShift}, {66, 37, kLButton | kShift}, {66, 37, kLButton}, {0, 0, 0}});
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.2f);
    EXPECT_FLOAT_EQ(listener.values[1], 0.22f);
    EXPECT_FLOAT_EQ(listener.values[2], 0.4f);
}

TEST_P(SliderDragTest, ShiftOnTheEditorSliderFollowsTheWorkedExample) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.5f);
    press(155, kRow, kLButton | kShift);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f + (plainValue(155) - 0.5f) / 10.0f);
}

TEST_F(SliderTest, CtrlClickRestoresTheDefaultWithoutABracket) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.9f);
    slider->redrawIfDirty(nullptr);
    press(30, kRow, kLButton | kControl);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(listener.values, std::vector<float>{0.5f});
    EXPECT_TRUE(effect.log.empty());
    EXPECT_EQ(frame->getFocusView(), nullptr);

    // Already at the default and drawn: nothing to tell.
    press(30, kRow, kLButton | kControl);
    EXPECT_EQ(listener.values.size(), 1u);

    // A changed default is what the gesture restores, unclamped.
    slider->setDefaultValue(1.25f);
    press(30, kRow, kLButton | kControl);
    EXPECT_EQ(slider->getValue(), 1.25f);
}

TEST_P(SliderDragTest, CtrlShiftClickStartsAFineDrag) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.2f);
    press(132, kRow, kLButton | kControl | kShift);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.2f + (plainValue(132) - 0.2f) / 10.0f);
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0"}));
}

TEST_F(SliderTest, OtherButtonsAndADisabledSliderDoNothing) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.3f);
    press(132, kRow, kRButton);
    press(132, kRow, kMButton | kControl);
    // Told of a left press directly, a disabled slider still ignores it.
    slider->setMouseEnabled(false);
    MouseScript held(Point(kScreenX, kScreenY), {{132, kRow, kLButton}, {132, kRow, 0}});
    platform::DeviceContext dc = platform::getDC(frame->getWindow());
    {
        DrawContext context(frame, dc, frame->getWindow());
        Point where(132, kRow);
        slider->onMouseDown(&context, where);
    }
    platform::releaseDC(frame->getWindow(), dc);
    EXPECT_EQ(slider->getValue(), 0.3f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_TRUE(effect.log.empty());
}

TEST_P(SliderDragTest, WithoutJumpOnClickOnlyTheHandleGripsAndTheDragIsRelative) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.5f);
    slider->setJumpOnClick(false);
    EXPECT_FALSE(slider->getJumpOnClick());
    // The handle spans x 126 to 140 and y 49 to 63, both edges included.
    press(141, 63, kLButton);
    press(125, 50, kLButton);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(effect.log.empty());

    press(140, 63, kLButton);
    EXPECT_EQ(slider->getValue(), valueForPress(132)) << "unmoved up to truncation";
    EXPECT_EQ(effect.log, (Log{"begin 0", "end 0"}));

    slider->setValue(0.5f);
    press(126, 49, kLButton, {{146, 49, kLButton}, {0, 0, 0}});
    EXPECT_EQ(slider->getValue(), 135.0f / kTravelF);
}

TEST_F(SliderTest, WheelStepsAndClamps) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.5f);
    Point where(132, kRow);
    MouseScript pointer(Point(kScreenX, kScreenY), {{132, kRow, 0}});
    platform::DeviceContext dc = platform::getDC(frame->getWindow());
    {
        DrawContext context(frame, dc, frame->getWindow());
        EXPECT_TRUE(slider->onWheel(&context, where, 1.0f));
        EXPECT_FLOAT_EQ(slider->getValue(), 0.6f);
        headless::input().keyDown[platform::kKeyShift] = true;
        EXPECT_TRUE(slider->onWheel(&context, where, 1.0f));
        EXPECT_FLOAT_EQ(slider->getValue(), 0.61f);
        headless::input().keyDown[platform::kKeyShift] = false;
        EXPECT_TRUE(slider->onWheel(&context, where, 10.0f));
        EXPECT_EQ(slider->getValue(), 1.0f);
        EXPECT_TRUE(slider->onWheel(&context, where, -25.0f));
        EXPECT_EQ(slider->getValue(), 0.0f);
        ASSERT_EQ(listener.contexts.size(), 4u);
        EXPECT_EQ(listener.contexts[0], &context);

        slider->setMouseEnabled(false);
        EXPECT_FALSE(slider->onWheel(&context, where, 1.0f));
        EXPECT_EQ(slider->getValue(), 0.0f);
    }
    platform::releaseDC(frame->getWindow(), dc);
    EXPECT_TRUE(effect.log.empty()) << "single steps are not bracketed";
}

TEST_F(SliderTest, TheFrameHandsTheWheelToTheSliderUnderThePointer) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.5f);
    MouseScript pointer(Point(kScreenX, kScreenY), {{200, kRow, 0}});
    Point ignored(0, 0);
    EXPECT_TRUE(frame->onWheel(nullptr, ignored, -1.0f));
    EXPECT_FLOAT_EQ(slider->getValue(), 0.4f);
}

TEST_F(SliderTest, ArrowKeysStepInValueTerms) {
    HorizontalSlider* slider = addEditorSlider(kNcvolumeTop, 0, 0.5f);
    slider->setMouseEnabled(false); // keys do not ask
    KeyCode key{0, kKeyUp, 0};
    EXPECT_EQ(slider->onKeyDown(key), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.6f);
    key.virt = kKeyLeft;
    key.modifier = kModifierShift;
    EXPECT_EQ(slider->onKeyDown(key), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.59f);
    key.modifier = 0;
    key.virt = kKeyDown;
    EXPECT_EQ(slider->onKeyDown(key), 1);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.49f);
    key.virt = kKeyRight;
    for (int i = 0; i < 8; ++i)
        slider->onKeyDown(key);
    EXPECT_EQ(slider->getValue(), 1.0f);
    ASSERT_EQ(listener.contexts.size(), 9u) << "clamped presses at the end are not news";
    EXPECT_EQ(listener.contexts[0], nullptr);

    key.virt = 20;
    EXPECT_EQ(slider->onKeyDown(key), -1);
    EXPECT_EQ(slider->getValue(), 1.0f);
}

TEST_P(SliderDragTest, MinimumAtTheRightEndInvertsBothDirections) {
    auto* slider =
        new HorizontalSlider(ncvolumeSliderRect(), &listener, 0, kSliderLeft, kSliderLeft + kTravel,
                             handle, background, Point(kSliderLeft, kNcvolumeTop), styleMinRight);
    frame->addView(slider);
    slider->setValue(0.0f);
    EXPECT_EQ(slider->handleRectInSlider().left, kTravel);
    press(17, kRow, kLButton);
    EXPECT_EQ(slider->getValue(), 1.0f);
    KeyCode right{0, kKeyRight, 0};
    slider->setValue(0.5f);
    slider->onKeyDown(right);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.6f);
    EXPECT_EQ(slider->handleRectInSlider().left, static_cast<int>(kTravel * (1.0f - 0.6f)));
}

TEST_P(SliderDragTest, VerticalSliderRunsAlongY) {
    // Handle origin (3, 0), 100 pixels of travel downward from y 10.
    auto* slider = new VerticalSlider(Rect(40, 10, 60, 124), &listener, 2, Point(3, 0), 114, handle,
                                      nullptr, Point(0, 0), styleMinBottom);
    frame->addView(slider);
    EXPECT_EQ(slider->getStyle(), styleVertical | styleMinBottom);
    EXPECT_EQ(slider->getTravel(), 100);
    slider->setValue(0.0f);
    const Rect bottom = slider->handleRectInSlider();
    EXPECT_EQ(bottom.top, 100);
    EXPECT_EQ(bottom.left, 3);
    EXPECT_EQ(bottom.right, 17);
    // delta = 10 + 0 + 7 - 1 = 16: y 16 is the top end, value 1.
    press(50, 16, kLButton);
    EXPECT_EQ(slider->getValue(), 1.0f);
    press(50, 66, kLButton);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
}

TEST_P(SliderDragTest, NoDirectionBitKeepsPointerAndDrawingTogether) {
    // Without a direction bit drawing puts value 0 at the far end; the
    // pointer follows the drawing.
    auto* slider = new VerticalSlider(Rect(40, 10, 60, 124), &listener, 2, Point(0, 0), 114, handle,
                                      nullptr, Point(0, 0), 0);
    frame->addView(slider);
    press(50, 116, kLButton);
    EXPECT_EQ(slider->getValue(), 0.0f);
    EXPECT_EQ(slider->handleRectInSlider().top, 100);
}

TEST_F(SliderTest, OffscreenPictureLivesWhileAttached) {
    const int before = headless::liveObjectCount();
    auto* slider =
        new HorizontalSlider(ncvolumeSliderRect(), &listener, 0, kSliderLeft, kSliderLeft + kTravel,
                             handle, background, Point(kSliderLeft, kNcvolumeTop), styleMinLeft);
    slider->draw(nullptr); // not attached: nothing to draw with, and no crash
    EXPECT_EQ(headless::liveObjectCount(), before);
    frame->addView(slider);
    EXPECT_GT(headless::liveObjectCount(), before);
    frame->removeView(slider, false);
    EXPECT_EQ(headless::liveObjectCount(), before);
    slider->release();
    EXPECT_EQ(handle->getRefCount(), 1);
    EXPECT_EQ(background->getRefCount(), 1);
}

TEST_F(SliderTest, SetHandleRetainsTheNewPictureAndKeepsTheTravel) {
    HorizontalSlider* slider = addEditorSlider();
    Bitmap* other = new Bitmap(128);
    slider->setHandle(other);
    EXPECT_EQ(slider->getHandle(), other);
    EXPECT_EQ(other->getRefCount(), 2);
    EXPECT_EQ(handle->getRefCount(), 1);
    EXPECT_EQ(slider->getTravel(), kTravel);
    slider->setHandle(other);
    EXPECT_EQ(other->getRefCount(), 2);
    slider->setHandle(nullptr);
    EXPECT_EQ(other->getRefCount(), 1);
    // A missing handle draws none, but the arithmetic keeps the last size:
    // the 268-pixel picture is held within the limits.
    slider->setValue(1.0f);
    EXPECT_EQ(slider->handleRectInSlider().left, 0);
    EXPECT_EQ(slider->handleRectInSlider().right, 245);
    other->release();
}

} // namespace
