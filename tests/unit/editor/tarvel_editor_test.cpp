// The editor panel as a host drives it through the effect: its rectangle,
// opening and closing, the sliders following the effect's parameters (from
// the host and programs) and the rendered panel against a stored reference
// picture. What a user does on the panel is in the editor scenarios, which
// run here through headless_editor_driver.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/panel_layout.h"
#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/bitmap.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "gui/handle_finder.h"
#include "harness/plugin_host.h"
#include "host/module.h"
#include "host/vst_opcodes.h"
#include "png_file.h"

namespace {

// The host's window, and with it the editor's, sits at this screen corner.
constexpr int kScreenX = 100;
constexpr int kScreenY = 50;
using namespace panel_layout;
constexpr int kHandleAtOne = kSliderLeft + kTravel;

class TarvelEditorTest : public ::testing::Test {
protected:
    TarvelEditorTest() {
        new TarvelEditor(&effect); // the effect owns it
        host.attach(effect.getAeffect());
        headless::resetInput();
        parent = headless::createWindow(kScreenX, kScreenY, 400, 300);
    }
    ~TarvelEditorTest() override {
        dispatch(effEditClose);
        headless::destroyWindow(parent);
        headless::resetInput();
    }

    VstWord dispatch(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
        return effect.dispatcher(opcode, index, value, ptr, opt);
    }
    TarvelEditor* editor() { return dynamic_cast<TarvelEditor*>(effect.editorOf()); }
    Frame* frame() { return editor()->getFrame(); }
    void open() { ASSERT_EQ(dispatch(effEditOpen, 0, 0, parent), 1); }
    // Lets the window system deliver its paint messages: after open, the
    // first paint of the whole new window.
    void paint() { headless::dispatchMessages(); }
    void idle() { dispatch(effEditIdle); }
    const raster::Surface& window() { return *headless::surfaceOf(frame()->getWindow()); }
    ERect rect() {
        ERect* r = nullptr;
        EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &r), 1);
        return r ? *r : ERect{};
    }

    PluginHost host;
    TarvelEffect effect{PluginHost::callback()};
    platform::Window parent;
};

TEST_F(TarvelEditorTest, TheEffectCreatesItClosedAndTheRecordSaysSo) {
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, 25);
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(editor()->getHandleBitmap(), nullptr);
    ASSERT_NE(editor()->getBackgroundBitmap(), nullptr);
    EXPECT_EQ(editor()->getBackgroundBitmap()->getResourceId(), kPanelPicture);
    EXPECT_FALSE(outOfMemory);
}

TEST_F(TarvelEditorTest, RectangleIs268By107BeforeAndAfterOpen) {
    for (int round = 0; round < 3; ++round) {
        const ERect r = rect();
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.bottom, 107);
        EXPECT_EQ(r.right, 268);
        if (round == 0)
            open();
        else
            dispatch(effEditClose);
    }
}

TEST_F(TarvelEditorTest, OpenBuildsTheFrameAndBothSlidersFromTheEffectsValues) {
    effect.setParameter(TarvelEffect::kNcvolume, 1.0f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.0f);
    open();
    ASSERT_NE(frame(), nullptr);
    Rect bounds;
    frame()->getBounds(bounds);
    EXPECT_EQ(bounds.getWidth(), 268);
    EXPECT_EQ(bounds.getHeight(), 107);
    EXPECT_EQ(frame()->getBackground(), editor()->getBackgroundBitmap());
    // The zoom menu under the two sliders.
    ASSERT_EQ(frame()->getViewCount(), 3);

    HorizontalSlider* upper = editor()->getNcvolumeSlider();
    HorizontalSlider* lower = editor()->getIpvolumeSlider();
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(frame()->getView(0), editor()->getZoomMenu());
    EXPECT_EQ(frame()->getView(1), upper);
    EXPECT_EQ(frame()->getView(2), lower);
    EXPECT_EQ(upper->getTag(), 0);
    EXPECT_EQ(lower->getTag(), 1);
    EXPECT_EQ(upper->getValue(), 1.0f);
    EXPECT_EQ(lower->getValue(), 0.0f);
    EXPECT_EQ(upper->getBounds(bounds).top, kNcvolumeTop);
    EXPECT_EQ(lower->getBounds(bounds).bottom, kIpvolumeTop + kHandleSize);
    EXPECT_EQ(upper->getTravel(), kTravel);
    EXPECT_EQ(upper->getStyle(), styleHorizontal | styleMinLeft);
    EXPECT_FALSE(upper->isTransparent());
    EXPECT_EQ(upper->getHandle(), editor()->getHandleBitmap());
    EXPECT_EQ(upper->getHandle()->getResourceId(), kHandlePicture);

    paint();
    EXPECT_EQ(handleColumns(window(), kNcvolumeTop), std::vector<int>{kHandleAtOne});
    EXPECT_EQ(handleColumns(window(), kIpvolumeTop), std::vector<int>{kSliderLeft});
}

TEST_F(TarvelEditorTest, OpenCloseOpenReloadsTheHandleAndKeepsTheBackground) {
    Bitmap* background = editor()->getBackgroundBitmap();
    const int liveBefore = headless::liveObjectCount();
    headless::resetCallCounts();
    dispatch(effEditClose); // without an open: nothing changes
    EXPECT_EQ(editor()->getBackgroundBitmap(), background);
    EXPECT_EQ(headless::callCount("LoadBitmapA"), 0);

    for (int round = 1; round <= 2; ++round) {
        open();
        EXPECT_EQ(headless::callCount("LoadBitmapA"), round) << "one handle per open";
        EXPECT_NE(editor()->getHandleBitmap(), nullptr);
        EXPECT_EQ(editor()->getBackgroundBitmap(), background);
        paint();
        dispatch(effEditClose);
        EXPECT_EQ(frame(), nullptr);
        EXPECT_EQ(editor()->getHandleBitmap(), nullptr);
        EXPECT_EQ(editor()->getNcvolumeSlider(), nullptr);
        EXPECT_EQ(background->getRefCount(), 1);
        EXPECT_EQ(headless::liveObjectCount(), liveBefore);
    }
}

TEST_F(TarvelEditorTest, OpeningTwiceRebuildsThePanelWithoutLeavingTheFirst) {
    const int liveBefore = headless::liveObjectCount();
    open();
    open();
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(frame()->getViewCount(), 3);
    EXPECT_EQ(editor()->getBackgroundBitmap()->getRefCount(), 4) << "editor, frame, two sliders";
    dispatch(effEditClose);
    EXPECT_EQ(headless::liveObjectCount(), liveBefore);
}

TEST_F(TarvelEditorTest, ParameterChangesWhileClosedLeaveNoTraceAndOpenTakesThem) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.25f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.5f);
    editor()->setParameter(TarvelEffect::kNcvolume, 0.9f);
    open();
    EXPECT_EQ(editor()->getNcvolumeSlider()->getValue(), 0.25f);
    EXPECT_EQ(editor()->getIpvolumeSlider()->getValue(), 0.5f);
}

// Counts the update requests the editor makes.
class ObservedEditor : public TarvelEditor {
public:
    explicit ObservedEditor(TarvelEffect* owner) : TarvelEditor(owner) {}
    void postUpdate() override {
        ++updatesPosted;
        TarvelEditor::postUpdate();
    }
    int updatesPosted = 0;
};

// The parameter call may come from the audio thread: it only posts an
// update, and the sliders take the effect's values at the next idle.
TEST_F(TarvelEditorTest, SetParameterPostsAnUpdateAndIdleTakesTheEffectsValue) {
    delete effect.editorOf();
    auto* observed = new ObservedEditor(&effect); // the effect owns it now
    observed->setParameter(TarvelEffect::kNcvolume, 0.3f);
    EXPECT_EQ(observed->updatesPosted, 1) << "closed: only the update request";

    open();
    observed->updatesPosted = 0;
    HorizontalSlider* upper = observed->getNcvolumeSlider();
    HorizontalSlider* lower = observed->getIpvolumeSlider();
    paint();
    idle();

    observed->setParameter(5, 0.3f);
    EXPECT_EQ(observed->updatesPosted, 1);
    idle();
    EXPECT_EQ(upper->getValue(), 1.0f);
    EXPECT_EQ(lower->getValue(), 1.0f);
    EXPECT_FALSE(upper->isDirty());
    EXPECT_FALSE(lower->isDirty());

    // The slider takes the value read back from the effect, not the argument.
    observed->setParameter(TarvelEffect::kIpvolume, 0.3f);
    EXPECT_EQ(observed->updatesPosted, 2);
    idle();
    EXPECT_EQ(lower->getValue(), 1.0f);

    // From the effect: one update request; the slider stays where it is
    // until the next idle.
    effect.setParameter(TarvelEffect::kIpvolume, 0.125f);
    EXPECT_EQ(observed->updatesPosted, 3);
    EXPECT_EQ(lower->getValue(), 1.0f);
    idle();
    EXPECT_EQ(lower->getValue(), 0.125f);
    EXPECT_EQ(upper->getValue(), 1.0f);
    EXPECT_FALSE(lower->isDirty()) << "redrawn by the same idle";
}

// The wheel away from the sliders is not the panel's: the window message is
// left to the host's window. (Over a slider: the shared scenarios.)
TEST_F(TarvelEditorTest, WheelAwayFromTheSlidersIsLeftToTheHost) {
    open();
    paint();
    host.clearCalls();
    headless::input().pointer = {kScreenX + 132, kScreenY + 20};
    EXPECT_FALSE(headless::sendWheel(frame()->getWindow(), -1.0f));
    EXPECT_TRUE(host.calls().empty());
}

// Stands in for a control with a tag the panel does not know.
class TaggedControl : public Control {
public:
    explicit TaggedControl(int controlTag) : Control(Rect(0, 0, 10, 10), nullptr, controlTag) {}
    void draw(DrawContext*) override { setDirty(false); }
};

TEST_F(TarvelEditorTest, ValueChangedIgnoresTagsOtherThanTheTwoParameters) {
    open();
    host.clearCalls();
    for (int tag : {-1, 2, 7}) {
        TaggedControl control(tag);
        control.setValue(0.25f);
        editor()->valueChanged(nullptr, &control);
    }
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kIpvolume), 1.0f);
}

TEST_F(TarvelEditorTest, ProgramChangeMovesBothSliders) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.5f);
    open();
    paint();
    effect.setProgram(0);
    EXPECT_EQ(editor()->getNcvolumeSlider()->getValue(), 0.5f);
    EXPECT_EQ(editor()->getIpvolumeSlider()->getValue(), 1.0f);
}

TEST_F(TarvelEditorTest, RenderMatchesTheStoredReferencePicture) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    open();
    paint();
    raster::Surface reference;
    ASSERT_TRUE(readPng(TARVEL_TEST_DATA_DIR "/editor_panel.png", reference));
    ASSERT_EQ(reference.width(), kPanelWidth);
    ASSERT_EQ(reference.height(), kPanelHeight);
    int differences = 0;
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            differences += window().get(x, y) != reference.get(x, y);
    EXPECT_EQ(differences, 0);
}

TEST(TarvelEditorLifetime, EntryPointMakesTheEffectWithItsPanel) {
    PluginHost host;
    ASSERT_TRUE(host.load(&tarvelMain));
    AEffect* record = host.effect();
    EXPECT_EQ(record->flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
    auto* effect = static_cast<TarvelEffect*>(record->object);
    EXPECT_NE(dynamic_cast<TarvelEditor*>(effect->editorOf()), nullptr);
    EXPECT_EQ(host.dispatch(effClose), 1);
}

TEST(TarvelEditorLifetime, EffectClosedWithTheEditorStillOpenTakesTheWindowDown) {
    platform::Window parent = headless::createWindow(0, 0, 300, 200);
    const int liveBefore = headless::liveObjectCount();
    auto* effect = new TarvelEffect(nullptr);
    new TarvelEditor(effect);
    ASSERT_EQ(effect->dispatcher(effEditOpen, 0, 0, parent, 0.0f), 1);
    static_cast<TarvelEditor*>(effect->editorOf())->drawAll(nullptr);
    delete effect;
    EXPECT_EQ(headless::liveObjectCount(), liveBefore);
    headless::destroyWindow(parent);
}

TEST(TarvelEditorLifetime, EditorOpcodesInAnyOrderAreHarmless) {
    TarvelEffect effect(nullptr);
    new TarvelEditor(&effect);
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 0, VKEY_UP, nullptr, 0.0f), -1);
    // A null parent gives no window: the host hears so and keeps no frame.
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(static_cast<TarvelEditor*>(effect.editorOf())->getFrame(), nullptr);
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    effect.setParameter(TarvelEffect::kNcvolume, 0.5f);
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
}

} // namespace
