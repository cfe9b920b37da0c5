// The editor's window on the X server, linked into the test: shown while
// open, and nothing of the backend left on the server once closed, whoever
// destroys what first. (Two hundred opens and closes of the shipped
// library: library_editor_test.cpp.)
#include <gtest/gtest.h>

#include <cstdint>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/window.h"
#include "platform/x11/x11.h"

namespace {

class X11EditorLifecycleTest : public ::testing::Test {
protected:
    X11EditorLifecycleTest() {
        new TarvelEditor(&effect); // the effect owns it
        pluginHost.attach(effect.getAeffect());
    }
    VstWord dispatch(int32 opcode, void* ptr = nullptr) {
        return effect.dispatcher(opcode, 0, 0, ptr, 0.0f);
    }
    platform::Window editorWindow() {
        auto* editor = dynamic_cast<TarvelEditor*>(effect.editorOf());
        return editor && editor->getFrame() ? editor->getFrame()->getWindow() : nullptr;
    }
    // Everything the backend could hold on the server is gone.
    static void expectNothingLeft() {
        EXPECT_EQ(x11::liveWindowCount(), 0);
        EXPECT_EQ(x11::liveGraphicsContextCount(), 0);
        EXPECT_EQ(x11::liveCursorCount(), 0);
        EXPECT_FALSE(x11::connected());
    }

    PluginHost pluginHost;
    TarvelEffect effect{PluginHost::callback()};
};

// The editor's window as the server shows it: the panel's pixels, not
// black, over the whole of the host's larger window.
TEST_F(X11EditorLifecycleTest, TheOpenEditorIsShownOnTheServer) {
    platform::Window host = x11::createHostWindow(0, 0, 300, 200);
    ASSERT_NE(host, nullptr) << "no X display";
    ASSERT_EQ(dispatch(effEditOpen, host), 1);
    dispatch(effEditIdle);
    const raster::Surface shown = x11::captureWindow(editorWindow());
    ASSERT_EQ(shown.width(), 300);
    ASSERT_EQ(shown.height(), 200);
    int lit = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            lit += shown.get(x, y) != 0;
    EXPECT_GT(lit, shown.width() * shown.height() / 2);
    dispatch(effEditClose);
    x11::destroyHostWindow(host);
    expectNothingLeft();
}

// A host may destroy its window before it closes the editor: the server
// takes ours with it, and the close that follows finds nothing to undo,
// though the window's last move was still waiting to be heard of.
TEST_F(X11EditorLifecycleTest, HostDestroyingItsWindowFirstLeavesACleanClose) {
    platform::Window host = x11::createHostWindow(0, 0, 300, 200);
    ASSERT_NE(host, nullptr) << "no X display";
    ASSERT_EQ(dispatch(effEditOpen, host), 1);
    dispatch(effEditIdle);
    ASSERT_TRUE(platform::setWindowSize(editorWindow(), 270, 110));
    x11::destroyHostWindow(host);
    // The next idle hears of it, with a change waiting to be drawn.
    effect.setParameterAutomated(0, 0.5f);
    dispatch(effEditIdle);
    EXPECT_EQ(editorWindow(), nullptr);
    dispatch(effEditClose);
    expectNothingLeft();
}

// A parent id the server does not know: the editor gets no window and says
// so, and the backend keeps nothing open after the wait.
TEST_F(X11EditorLifecycleTest, AnUnknownParentGivesNoWindow) {
    // Ids of a connection that never existed: the server cannot know it.
    auto* unknown = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1FFFFFFFu));
    EXPECT_EQ(dispatch(effEditOpen, unknown), 0) << "the host shows its own controls";
    EXPECT_EQ(editorWindow(), nullptr);
    dispatch(effEditClose);
    expectNothingLeft();
}

} // namespace
