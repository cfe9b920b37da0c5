// The editor bridge: registration, rectangle, open and idle, keys, knob
// mode, the throttled idle processing, and the host calling editor opcodes
// in any order.
#include <gtest/gtest.h>

#include "editor/gui_editor.h"
#include "gui/frame.h"
#include "gui/test_views.h"
#include "harness/plugin_host.h"
#include "host/test_effect.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

namespace {

// Builds its frame on open and deletes it on close, as the plug-in's panel does.
class PanelEditor : public GuiEditor {
public:
    explicit PanelEditor(AudioEffect* owner) : GuiEditor(owner) { rect = ERect{0, 0, 107, 268}; }
    int32 open(void* parent) override {
        GuiEditor::open(parent);
        if (!frame)
            frame = new Frame(Rect(0, 0, 268, 107), parent, this);
        return 1;
    }
    void close() override {
        delete frame;
        frame = nullptr;
    }
    void idle() override {
        ++idles;
        GuiEditor::idle();
    }
    void update() override { ++updates; }
    bool isUpdatePending() const { return updateFlag.load() != 0; }
    std::uint32_t nextIdle() const { return nextIdleTicks; }

    int idles = 0;
    int updates = 0;
};

class GuiEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWindowSystem();
        headless::resetInput();
        headless::resetCallCounts();
        headless::input().ticks = 1000;
        headless::input().tickStep = 0;
        host = headless::createWindow(100, 100, 400, 300);
        effect = new TestEffect(PluginHost::callback());
        pluginHost.attach(effect->getAeffect());
        editor = new PanelEditor(effect);
    }
    void TearDown() override {
        delete effect;
        headless::resetWindowSystem();
    }
    // A new editor made with the clock at `ticks`: its first run is due then.
    void startEditorAt(std::uint32_t ticks) {
        headless::input().ticks = ticks;
        delete editor;
        editor = new PanelEditor(effect);
    }
    VstWord dispatch(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr) {
        return effect->dispatcher(opcode, index, value, ptr, 0.0f);
    }

    platform::Window host = nullptr;
    PluginHost pluginHost;
    TestEffect* effect = nullptr;
    PanelEditor* editor = nullptr;
};

TEST_F(GuiEditorTest, RegistersWithItsEffect) {
    EXPECT_EQ(effect->editorOf(), editor);
    EXPECT_NE(effect->getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(editor->nextIdle(), 1000u);
    EXPECT_EQ(headless::oleInitializations(), 1);
    delete effect;
    effect = nullptr;
    EXPECT_EQ(headless::oleInitializations(), 0);
}

TEST_F(GuiEditorTest, RectangleIsReportedOpenOrNot) {
    ERect* r = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &r), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->right, 268);
    EXPECT_EQ(r->bottom, 107);
    dispatch(effEditOpen, 0, 0, host);
    ERect* again = nullptr;
    EXPECT_EQ(editor->getRect(&again), 1);
    EXPECT_EQ(again, r);
    EXPECT_EQ(editor->getRect(nullptr), 1);
}

TEST_F(GuiEditorTest, OpenAsksForOneUpdateAtTheFirstIdle) {
    GuiEditor plain(nullptr);
    EXPECT_EQ(plain.open(host), 0);
    plain.idle();

    editor->open(host);
    EXPECT_TRUE(editor->isUpdatePending());
    editor->idle();
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    EXPECT_FALSE(editor->isUpdatePending());
}

TEST_F(GuiEditorTest, ParameterChangesOnlyAskForAnUpdate) {
    headless::resetCallCounts();
    editor->setParameter(0, 0.5f);
    EXPECT_TRUE(editor->isUpdatePending());
    EXPECT_EQ(editor->updates, 0);
    EXPECT_EQ(headless::totalCallCount(), 0);
}

TEST_F(GuiEditorTest, KeysReachTheFrameOrAnswerMinusOne) {
    EXPECT_EQ(dispatch(effEditKeyDown, 'a'), -1);
    EXPECT_EQ(dispatch(effEditKeyUp, 'a'), -1);
    editor->open(host);
    auto* v = new RecordingView(Rect(0, 0, 10, 10));
    editor->getFrame()->addView(v);
    EXPECT_EQ(dispatch(effEditKeyDown, 'a'), -1);
    v->keyAnswer = 1;
    EXPECT_EQ(dispatch(effEditKeyDown, 'a'), 1);
}

TEST_F(GuiEditorTest, KnobModeIsSharedByEveryEditor) {
    TestEffect other(PluginHost::callback());
    auto* second = new PanelEditor(&other);
    editor->open(host);
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->getFrame()->getKnobMode(), 2);
    second->open(host);
    EXPECT_EQ(second->getFrame()->getKnobMode(), 2);
    EXPECT_EQ(second->setKnobMode(0), 1);
    EXPECT_EQ(editor->getFrame()->getKnobMode(), 0);
}

TEST_F(GuiEditorTest, WheelNeedsAFrame) {
    EXPECT_FALSE(editor->onWheel(1.0f));
    editor->open(host);
    auto* v = new RecordingView(Rect(0, 0, 268, 107));
    editor->getFrame()->addView(v);
    headless::input().pointer = platform::DevicePoint{150, 120};
    EXPECT_TRUE(editor->onWheel(1.0f));
    EXPECT_EQ(v->wheels, 1);
    EXPECT_EQ(v->lastPoint.h, 50);
    EXPECT_EQ(v->lastPoint.v, 20);
}

TEST_F(GuiEditorTest, IdleRedrawsTheFrameAfterItsFirstPaint) {
    editor->open(host);
    auto* v = new RecordingView(Rect(0, 0, 10, 10));
    editor->getFrame()->addView(v);
    v->setDirty(true);
    editor->idle();
    EXPECT_EQ(v->draws, 0);
    headless::dispatchMessages();
    v->setDirty(true);
    editor->idle();
    EXPECT_EQ(v->draws, 2);
    editor->drawAll(nullptr);
    EXPECT_EQ(v->draws, 3);
}

// The throttle: a call between runs sleeps 4 ms and runs only within the
// last 50 ms before the next run is due.
TEST_F(GuiEditorTest, ProcessIdleRunsAtMostAboutEvery50Milliseconds) {
    editor->processIdle(); // due at once
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(countCalls(pluginHost.calls(), audioMasterIdle), 1);
    EXPECT_EQ(headless::callCount("Sleep"), 0);
    EXPECT_EQ(editor->nextIdle(), 1100u);

    headless::input().ticks = 1010;
    editor->processIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 1);
    EXPECT_EQ(headless::input().ticks, 1014u);
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(countCalls(pluginHost.calls(), audioMasterIdle), 1);

    headless::input().ticks = 1051; // 49 ms before the next run
    editor->processIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 2);
    EXPECT_EQ(editor->idles, 2);
    EXPECT_EQ(countCalls(pluginHost.calls(), audioMasterIdle), 2);
    EXPECT_EQ(editor->nextIdle(), 1155u);

    headless::input().ticks = 1155;
    editor->processIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 2);
    EXPECT_EQ(editor->idles, 3);
    EXPECT_EQ(editor->nextIdle(), 1255u);
}

// The 32-bit millisecond count wraps after 49.7 days; the throttle keeps
// its rhythm across the wrap in both directions.
TEST_F(GuiEditorTest, ProcessIdleKeepsItsRhythmAcrossTheTickWrap) {
    // Due just before the wrap and called just after it: runs at once.
    startEditorAt(0xFFFFFF88u);
    editor->processIdle();
    EXPECT_EQ(editor->nextIdle(), 0xFFFFFFECu);
    headless::input().ticks = 5;
    editor->processIdle();
    EXPECT_EQ(editor->idles, 2);
    EXPECT_EQ(headless::callCount("Sleep"), 0);
    EXPECT_EQ(editor->nextIdle(), 105u);

    // Ran just before the wrap, called 10 ms later: waits, as any time.
    startEditorAt(0xFFFFFFE2u);
    editor->processIdle();
    EXPECT_EQ(editor->nextIdle(), 70u);
    headless::input().ticks = 0xFFFFFFECu;
    editor->processIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 1);
    EXPECT_EQ(editor->idles, 1) << "not yet due";
    headless::input().ticks = 21; // 49 ms before the next run
    editor->processIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 2);
    EXPECT_EQ(editor->idles, 2);
    EXPECT_EQ(editor->nextIdle(), 125u);
}

TEST_F(GuiEditorTest, ProcessIdleLetsOnePendingPaintThrough) {
    editor->open(host);
    auto* v = new RecordingView(Rect(0, 0, 10, 10));
    editor->getFrame()->addView(v);
    EXPECT_TRUE(headless::hasPendingPaint(editor->getFrame()->getWindow()));
    editor->getFrame()->processIdle();
    EXPECT_EQ(v->draws, 1);
    EXPECT_FALSE(headless::hasPendingPaint(editor->getFrame()->getWindow()));
}

TEST_F(GuiEditorTest, IdleFromTheHostDuringItsIdleCallDoesNothing) {
    int updatesDuringHostIdle = -1;
    pluginHost.observeCalls([this, &updatesDuringHostIdle](const HostCall& call) {
        if (call.opcode != audioMasterIdle)
            return;
        editor->postUpdate();
        dispatch(effEditIdle);
        updatesDuringHostIdle = editor->updates;
    });
    editor->processIdle();
    EXPECT_EQ(updatesDuringHostIdle, 0);
    EXPECT_TRUE(editor->isUpdatePending());
    pluginHost.observeCalls(nullptr);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
}

// Editor opcodes in any order, a null parent window, keys and knob mode
// without a window: all answered without harm.
TEST_F(GuiEditorTest, OpcodesInAnyOrder) {
    dispatch(effEditIdle);
    dispatch(effEditClose);
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 1), 1);
    dispatch(effEditOpen, 0, 0, host);
    dispatch(effEditOpen, 0, 0, host);
    EXPECT_EQ(headless::childOf(host, 1), nullptr);
    dispatch(effEditIdle);
    dispatch(effEditClose);
    dispatch(effEditClose);
    EXPECT_EQ(dispatch(effEditKeyDown, 'a'), -1);
    dispatch(effEditIdle);

    dispatch(effEditOpen, 0, 0, nullptr);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getFrame()->getWindow(), nullptr);
    dispatch(effEditIdle);
    editor->processIdle();
    dispatch(effEditClose);
    EXPECT_EQ(headless::windowCount(), 1);
}

// A host that closes the plug-in while the editor is open: the window and
// its frame go with the editor.
TEST_F(GuiEditorTest, EditorDeletedWhileOpenTakesItsWindowAlong) {
    editor->open(host);
    bool freed = false;
    editor->getFrame()->addView(new RecordingView(Rect(0, 0, 10, 10), colorRed, &freed));
    delete effect;
    effect = nullptr;
    EXPECT_TRUE(freed);
    EXPECT_EQ(headless::childOf(host, 0), nullptr);
    EXPECT_FALSE(headless::isClassRegistered("Plugin00000000"));
    // Nothing is left to receive the host window's own destruction.
    headless::destroyWindow(host);
    EXPECT_EQ(headless::deadHandleUses(), 0);
    EXPECT_EQ(headless::oleInitializations(), 0);
}

TEST_F(GuiEditorTest, HostWindowDestroyedUnderAnOpenEditor) {
    editor->open(host);
    auto* v = new RecordingView(Rect(0, 0, 10, 10));
    editor->getFrame()->addView(v);
    headless::dispatchMessages();
    headless::destroyWindow(host);
    EXPECT_FALSE(editor->getFrame()->isOpen());
    v->setDirty(true);
    dispatch(effEditIdle);
    editor->processIdle();
    EXPECT_EQ(v->draws, 1);
    headless::resetCallCounts();
    dispatch(effEditClose);
    EXPECT_EQ(headless::callCount("DestroyWindow"), 0);
    EXPECT_EQ(headless::deadHandleUses(), 0);
    EXPECT_EQ(headless::lostDropRegistrations(), 0);
}

} // namespace
