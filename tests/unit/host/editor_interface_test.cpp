// The editor base class: its neutral answers, the update flag that idle turns
// into one update, and that constructing an editor does not register it.
#include <gtest/gtest.h>

#include "host/aeff_editor.h"
#include "test_effect.h"

namespace {

// Counts updates and shows the window the host handed over.
class CountingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    void update() override { ++updates; }
    void* parentWindow() const { return systemWindow; }
    int updates = 0;
};

TEST(EditorInterface, GetRectStoresNullAndAnswersZero) {
    TestEffect effect;
    AEffEditor editor(&effect);
    ERect hostRect{};
    ERect* rect = &hostRect;
    EXPECT_EQ(editor.getRect(&rect), 0);
    EXPECT_EQ(rect, nullptr);
}

TEST(EditorInterface, KeysWheelAndKnobModeAreNotTaken) {
    TestEffect effect;
    AEffEditor editor(&effect);
    VstKeyCode key{65, 11, 1};
    EXPECT_EQ(editor.onKeyDown(key), -1);
    EXPECT_EQ(editor.onKeyUp(key), -1);
    EXPECT_EQ(editor.setKnobMode(2), 0);
    EXPECT_FALSE(editor.onWheel(1.0f));
}

TEST(EditorInterface, OpenRemembersTheParentWindowAndAnswersZero) {
    TestEffect effect;
    CountingEditor editor(&effect);
    EXPECT_EQ(editor.parentWindow(), nullptr);
    int parent = 0;
    EXPECT_EQ(editor.open(&parent), 0);
    EXPECT_EQ(editor.parentWindow(), &parent);
    editor.close();
    EXPECT_EQ(editor.open(nullptr), 0);
    EXPECT_EQ(editor.parentWindow(), nullptr);
}

TEST(EditorInterface, IdleRunsOneUpdatePerPostedUpdate) {
    TestEffect effect;
    CountingEditor editor(&effect);
    editor.idle();
    EXPECT_EQ(editor.updates, 0);

    editor.postUpdate();
    editor.idle();
    EXPECT_EQ(editor.updates, 1);
    editor.idle();
    EXPECT_EQ(editor.updates, 1);

    // Several posts before one idle still make one update.
    editor.postUpdate();
    editor.postUpdate();
    editor.idle();
    editor.idle();
    EXPECT_EQ(editor.updates, 2);
}

TEST(EditorInterface, ConstructingAnEditorDoesNotRegisterItWithTheEffect) {
    TestEffect effect;
    AEffEditor editor(&effect);
    EXPECT_EQ(effect.getEditor(), nullptr);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
}

} // namespace
