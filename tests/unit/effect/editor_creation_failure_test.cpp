// An effect whose editor panel cannot be created: this program links its own
// createEditorPanel, which always fails, in place of the editor's, so the
// effect meets the failure in its constructor as it would when out of memory.
#include <gtest/gtest.h>

#include "effect/effect_test_support.h"
#include "host/module.h"

AEffEditor* createEditorPanel(TarvelEffect*) {
    return nullptr;
}

namespace {

TEST(EditorCreationFailure, EntryPointRefusesTheInstance) {
    RecordingHost host;
    EXPECT_EQ(tarvelMain(RecordingHost::callback), nullptr);
    EXPECT_TRUE(outOfMemory);
    // The flag stays: later instances are refused as well.
    EXPECT_EQ(tarvelMain(RecordingHost::callback), nullptr);
}

TEST(EditorCreationFailure, EffectIsLeftWithoutEditorAndMarksTheModule) {
    TarvelEffect effect(nullptr);
    EXPECT_TRUE(outOfMemory);
    EXPECT_EQ(effect.editorOf(), nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanMono | effFlagsCanReplacing);
    // The effect itself still works; only the host never gets to see it.
    effect.setParameter(0, 0.5f);
    EXPECT_EQ(effect.getParameter(0), 0.5f);
}

} // namespace
