// The frame's window: the shared class, creation in the host's window,
// paints and idle redraws, destruction by the host, cursors, geometry,
// edit brackets and the host-window variant.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/gui_editor.h"
#include "frame_fixture.h"
#include "gui/bitmap.h"
#include "gui/host_window.h"
#include "harness/plugin_host.h"
#include "host/test_effect.h"
#include "host/vst_opcodes.h"
#include "platform/window.h"

namespace {

using FrameWindow = FrameTest;

constexpr raster::Pixel kGreen = 0x00FF00;

TEST_F(FrameWindow, IsAVisibleChildOfTheHostWindowOfTheSharedClass) {
    makeFrame();
    platform::Window w = frame->getWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(headless::childOf(host, 0), w);
    EXPECT_EQ(platform::windowUserData(w), frame);
    EXPECT_TRUE(headless::isDropTarget(w));
    char name[32];
    platform::windowClassName(w, name, sizeof name);
    EXPECT_STREQ(name, "Plugin00000000"); // the module handle is null in native tests
    const raster::Surface& s = *headless::surfaceOf(w);
    EXPECT_EQ(s.width(), 268);
    EXPECT_EQ(s.height(), 107);
    EXPECT_TRUE(frame->isOpen());
    EXPECT_EQ(headless::oleInitializations(), 1);
    delete frame;
    frame = nullptr;
    EXPECT_EQ(headless::oleInitializations(), 0);
    EXPECT_EQ(headless::childOf(host, 0), nullptr);
}

TEST_F(FrameWindow, TwoFramesRegisterTheClassOnceAndTheLastUnregistersIt) {
    Frame* first = new Frame(Rect(0, 0, 10, 10), host, nullptr);
    Frame* second = new Frame(Rect(0, 0, 10, 10), host, nullptr);
    EXPECT_EQ(headless::callCount("RegisterClassA"), 1);
    delete first;
    EXPECT_TRUE(headless::isClassRegistered("Plugin00000000"));
    EXPECT_EQ(headless::callCount("UnregisterClassA"), 0);
    delete second;
    EXPECT_FALSE(headless::isClassRegistered("Plugin00000000"));
    EXPECT_EQ(headless::callCount("UnregisterClassA"), 1);
    // A later frame registers it again.
    makeFrame();
    EXPECT_TRUE(headless::isClassRegistered("Plugin00000000"));
}

TEST_F(FrameWindow, WithoutParentThereIsNoWindowAndNothingIsDrawn) {
    frame = new Frame(Rect(0, 0, 268, 107), nullptr, nullptr);
    ProbeView* v = add(Rect(0, 0, 10, 10));
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_FALSE(frame->setDropActive(true));
    EXPECT_TRUE(frame->setDropActive(false));
    v->setDirty(true);
    frame->idle();
    frame->drawView(nullptr);
    Point where;
    EXPECT_FALSE(frame->onWheel(nullptr, where, 1.0f));
    EXPECT_EQ(v->draws, 0);
    EXPECT_EQ(headless::callCount("GetDC"), 0);
    EXPECT_EQ(headless::windowCount(), 1);
    EXPECT_FALSE(headless::isClassRegistered("Plugin00000000"));
}

TEST_F(FrameWindow, PaintDrawsTheBackgroundAndTheViewsInTheDamagedArea) {
    makeFrame();
    auto* background = new Bitmap(128);
    frame->setBackground(background);
    background->release();
    ProbeView* left = add(Rect(10, 10, 20, 20));
    ProbeView* right = add(Rect(200, 10, 210, 20));
    EXPECT_TRUE(headless::hasPendingPaint(frame->getWindow()));
    headless::dispatchMessages();
    EXPECT_EQ(left->draws, 1);
    EXPECT_EQ(right->draws, 1);
    const raster::Surface& s = *headless::surfaceOf(frame->getWindow());
    EXPECT_EQ(s.get(15, 15), kGreen);
    EXPECT_NE(s.get(100, 50), raster::kBlack); // the picture

    platform::DeviceRect damage{0, 0, 50, 50};
    headless::damageWindow(frame->getWindow(), &damage);
    headless::dispatchMessages();
    EXPECT_EQ(left->draws, 2);
    EXPECT_EQ(right->draws, 1);
    EXPECT_FALSE(headless::hasPendingPaint(frame->getWindow()));
}

// A window made larger than the frame (as hosts that size their window
// beyond the editor's make it) shows the outside colour beyond the frame,
// white unless set, and the frame's picture inside.
TEST_F(FrameWindow, AWindowLargerThanTheFrameShowsTheOutsideColourBeyondIt) {
    makeFrame();
    auto* background = new Bitmap(128);
    frame->setBackground(background);
    background->release();
    add(Rect(10, 10, 20, 20));
    for (const Color& outside : {colorWhite, Color{128, 128, 128, 0}}) {
        if (outside != colorWhite)
            frame->setOutsideColor(outside);
        const raster::Pixel expected = outside == colorWhite ? 0xFFFFFF : 0x808080;
        ASSERT_TRUE(platform::setWindowSize(frame->getWindow(), 300, 130));
        headless::dispatchMessages();
        const raster::Surface& s = *headless::surfaceOf(frame->getWindow());
        int wrong = 0;
        for (int y = 0; y < 130; ++y)
            for (int x = 0; x < 300; ++x)
                if (x >= 268 || y >= 107)
                    wrong += s.get(x, y) != expected;
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(s.get(15, 15), kGreen);
        EXPECT_EQ(s.get(100, 50), headless::surfaceOf(background->getHandle())->get(100, 50))
            << "the picture inside";
        ASSERT_TRUE(platform::setWindowSize(frame->getWindow(), 268, 107));
    }
}

TEST_F(FrameWindow, IdleRedrawsDirtyViewsOnlyAfterTheFirstPaint) {
    makeFrame();
    ProbeView* v = add(Rect(10, 10, 20, 20));
    v->setDirty(true);
    frame->idle();
    EXPECT_EQ(v->draws, 0);
    EXPECT_TRUE(v->isDirty());

    headless::dispatchMessages(); // the first paint
    EXPECT_EQ(v->draws, 1);
    v->setDirty(true);
    frame->idle();
    EXPECT_EQ(v->draws, 2);
    EXPECT_FALSE(v->isDirty());

    // Nothing dirty: not even a drawing target is taken.
    headless::resetCallCounts();
    frame->idle();
    EXPECT_EQ(v->draws, 2);
    EXPECT_EQ(headless::callCount("GetDC"), 0);
}

TEST_F(FrameWindow, IdleWithAModalViewRedrawsOnlyIt) {
    makeFrame();
    ProbeView* v = add(Rect(10, 10, 20, 20));
    ProbeView modal(Rect(30, 30, 40, 40));
    headless::dispatchMessages();
    frame->setModalView(&modal);
    v->setDirty(true);
    modal.setDirty(true);
    frame->idle();
    EXPECT_EQ(modal.draws, 1);
    EXPECT_EQ(v->draws, 1); // only its first paint
    frame->setModalView(nullptr);
}

TEST_F(FrameWindow, DirtyFrameRedrawsEverything) {
    makeFrame();
    ProbeView* a = add(Rect(10, 10, 20, 20));
    ProbeView* b = add(Rect(30, 10, 40, 20));
    headless::dispatchMessages();
    frame->setDirty(true);
    frame->idle();
    EXPECT_EQ(a->draws, 2);
    EXPECT_EQ(b->draws, 2);
    EXPECT_FALSE(frame->isDirty());
}

TEST_F(FrameWindow, DrawViewDrawsOneViewOrTheWholeFrame) {
    makeFrame();
    ProbeView* a = add(Rect(10, 10, 20, 20));
    ProbeView* b = add(Rect(30, 10, 40, 20));
    frame->drawView(b);
    EXPECT_EQ(a->draws, 0);
    EXPECT_EQ(b->draws, 1);
    frame->drawView(nullptr);
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(b->draws, 2);
    // Drawing counts as the first paint for later idle redraws.
    a->setDirty(true);
    frame->idle();
    EXPECT_EQ(a->draws, 2);
}

// A host may destroy its window before it closes the editor.
TEST_F(FrameWindow, HostDestroyingItsWindowClosesTheFrame) {
    makeFrame();
    ProbeView* v = add(Rect(10, 10, 20, 20));
    headless::dispatchMessages();
    headless::destroyWindow(host);
    host = nullptr;
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_EQ(headless::lostDropRegistrations(), 0);

    v->setDirty(true);
    frame->idle();
    frame->drawView(v);
    int x = 0;
    int y = 0;
    Rect size;
    EXPECT_FALSE(frame->getPosition(x, y));
    EXPECT_FALSE(frame->getSize(size));
    EXPECT_FALSE(frame->setSize(100, 100));
    EXPECT_EQ(v->draws, 1);

    headless::resetCallCounts();
    delete frame;
    frame = nullptr;
    EXPECT_EQ(headless::callCount("DestroyWindow"), 0);
    EXPECT_EQ(headless::deadHandleUses(), 0);
    EXPECT_FALSE(headless::isClassRegistered("Plugin00000000"));
    EXPECT_EQ(headless::oleInitializations(), 0);
}

TEST_F(FrameWindow, DeletingTheFrameLeavesNoDropRegistrationBehind) {
    makeFrame();
    platform::Window w = frame->getWindow();
    delete frame;
    frame = nullptr;
    EXPECT_FALSE(headless::isWindow(w));
    EXPECT_EQ(headless::lostDropRegistrations(), 0);
    EXPECT_EQ(headless::deadHandleUses(), 0);
}

TEST_F(FrameWindow, CursorsAreTheSystemShapesAndTheFirstOneComesBack) {
    makeFrame();
    platform::setCursor(platform::systemCursor(platform::kCursorArrow));
    frame->setCursor(cursorHSize);
    EXPECT_EQ(headless::currentCursorId(), platform::kCursorSizeWE);
    frame->setCursor(cursorNWSE);
    EXPECT_EQ(headless::currentCursorId(), platform::kCursorSizeNWSE);
    frame->setCursor(7);
    EXPECT_EQ(headless::currentCursorId(), platform::kCursorSizeNWSE);
    frame->setCursor(cursorDefault);
    EXPECT_EQ(headless::currentCursorId(), platform::kCursorArrow);
    frame->setCursor(cursorWait);
    delete frame; // restores the saved cursor
    frame = nullptr;
    EXPECT_EQ(headless::currentCursorId(), platform::kCursorArrow);
}

TEST_F(FrameWindow, PositionAndSizeOfTheWindowsAroundTheFrame) {
    makeFrame();
    int x = -1;
    int y = -1;
    // The host's window is much larger: the frame's own window is the outer one.
    EXPECT_EQ(frame->findOuterWindow(), frame->getWindow());
    EXPECT_TRUE(frame->getPosition(x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    Rect size;
    EXPECT_TRUE(frame->getSize(size));
    EXPECT_EQ(size.left, kHostX);
    EXPECT_EQ(size.right, kHostX + 400);
    EXPECT_EQ(size.bottom, kHostY + 300);
    EXPECT_FALSE(frame->setSize(268, 107));
}

TEST_F(FrameWindow, OuterWindowIsTheFirstWithACaption) {
    headless::destroyWindow(host);
    host = headless::createWindow(kHostX, kHostY, 280, 130);
    headless::setWindowStyle(host, 0x00C00000);
    makeFrame();
    EXPECT_EQ(frame->findOuterWindow(), host);
    int x = -1;
    int y = -1;
    EXPECT_TRUE(frame->getPosition(x, y));
    EXPECT_EQ(x, kHostX); // a top-level window's position is on the screen
    EXPECT_EQ(y, kHostY);
}

TEST_F(FrameWindow, SetSizeGrowsTheWindowsUpToTheDecoratedOne) {
    headless::destroyWindow(host);
    // A host window six pixels (twice the dialog frame) larger than the frame.
    host = headless::createWindow(kHostX, kHostY, 274, 113);
    makeFrame();
    EXPECT_TRUE(frame->setSize(300, 120));
    Rect bounds;
    frame->getBounds(bounds);
    EXPECT_EQ(bounds.getWidth(), 300);
    EXPECT_EQ(bounds.getHeight(), 120);
    EXPECT_EQ(headless::surfaceOf(frame->getWindow())->width(), 300);
    EXPECT_EQ(headless::surfaceOf(host)->width(), 306);
    EXPECT_EQ(headless::surfaceOf(host)->height(), 126);
}

TEST_F(FrameWindow, SetSizeLeavesTheHostsWindowToAHostThatSizesIt) {
    PluginHost pluginHost;
    pluginHost.setAnswer(audioMasterCanDo, 1);
    pluginHost.setAnswer(audioMasterSizeWindow, 1);
    TestEffect effect(PluginHost::callback());
    pluginHost.attach(effect.getAeffect());
    auto* editor = new GuiEditor(&effect);
    makeFrame(editor);
    EXPECT_TRUE(frame->setSize(300, 120));
    EXPECT_EQ(countCalls(pluginHost.calls(), audioMasterSizeWindow), 1);
    EXPECT_EQ(headless::surfaceOf(frame->getWindow())->width(), 300);
    EXPECT_EQ(headless::surfaceOf(host)->width(), 400);
    delete frame;
    frame = nullptr;
}

TEST_F(FrameWindow, EditBracketsAndTicksGoThroughTheEditor) {
    makeFrame();
    frame->beginEdit(1);
    EXPECT_EQ(frame->endEdit(1), 0);
    EXPECT_EQ(frame->getTicks(), 0u);
    delete frame;

    PluginHost pluginHost;
    pluginHost.setAnswer(audioMasterEndEdit, 1);
    TestEffect effect(PluginHost::callback());
    pluginHost.attach(effect.getAeffect());
    auto* editor = new GuiEditor(&effect);
    headless::input().ticks = 5000;
    headless::input().tickStep = 0;
    makeFrame(editor);
    frame->beginEdit(1);
    EXPECT_EQ(frame->endEdit(1), 1);
    const std::vector<HostCall>& calls = pluginHost.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(calls[1].index, 1);
    EXPECT_EQ(frame->getTicks(), 5000u);
    EXPECT_EQ(frame->getEditor(), editor);
    delete frame;
    frame = nullptr;
}

class HostWindowVariant : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        pluginHost.setAnswer(audioMasterOpenWindow, reinterpret_cast<VstWord>(host));
        effect = new TestEffect(PluginHost::callback());
        pluginHost.attach(effect->getAeffect());
        editor = new GuiEditor(effect);
        frame = new Frame(Rect(30, 40, 130, 90), "Tarvel", editor, 7);
    }
    void TearDown() override {
        delete frame;
        frame = nullptr;
        delete effect;
        FrameTest::TearDown();
    }
    int count(int32 opcode) const { return countCalls(pluginHost.calls(), opcode); }

    PluginHost pluginHost;
    TestEffect* effect = nullptr;
    GuiEditor* editor = nullptr;
};

TEST_F(HostWindowVariant, StartsClosedAndOpensInTheWindowTheHostGives) {
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getWindow(), nullptr);
    Point where(5, 6);
    EXPECT_TRUE(frame->open(&where));
    EXPECT_TRUE(frame->isOpen());
    ASSERT_EQ(count(audioMasterOpenWindow), 1);
    const auto* record = static_cast<const VstWindowRecord*>(pluginHost.calls().back().ptr);
    EXPECT_STREQ(record->title, "Tarvel");
    EXPECT_EQ(record->x, 5);
    EXPECT_EQ(record->y, 6);
    EXPECT_EQ(record->width, 100);
    EXPECT_EQ(record->height, 50);
    EXPECT_EQ(record->style, 7);
    EXPECT_EQ(record->parent, nullptr);
    EXPECT_EQ(headless::childOf(host, 0), frame->getWindow());

    // Opening again brings the window forward instead.
    EXPECT_TRUE(frame->open());
    EXPECT_EQ(count(audioMasterOpenWindow), 1);
    EXPECT_EQ(headless::callCount("BringWindowToTop"), 1);

    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isOpen());
    ASSERT_EQ(count(audioMasterCloseWindow), 1);
    EXPECT_EQ(pluginHost.calls().back().ptr, record);
    EXPECT_EQ(headless::childOf(host, 0), nullptr);
    EXPECT_FALSE(frame->close());
}

TEST_F(HostWindowVariant, StaysClosedWhenTheHostGivesNoWindow) {
    pluginHost.setAnswer(audioMasterOpenWindow, 0);
    EXPECT_FALSE(frame->open());
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(count(audioMasterCloseWindow), 0);
}

TEST_F(HostWindowVariant, DeletingAnOpenFrameGivesTheWindowBack) {
    ASSERT_TRUE(frame->open());
    delete frame;
    frame = nullptr;
    EXPECT_EQ(count(audioMasterCloseWindow), 1);
    EXPECT_EQ(headless::childOf(host, 0), nullptr);
}

} // namespace
