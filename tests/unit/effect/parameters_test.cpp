// The effect object as the host first meets it: identity, the program, the
// two parameters, their texts, and what the editor is told.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "effect_test_support.h"
#include "host/module.h"

namespace {

std::string programName(TarvelEffect& effect) {
    char text[kProgramNameSize];
    std::memset(text, '#', sizeof text);
    effect.getProgramName(text);
    return text;
}

std::string display(TarvelEffect& effect, int32 index) {
    char text[32] = "unchanged";
    effect.getParameterDisplay(index, text);
    return text;
}

TEST(TarvelEffectIdentity, RecordAfterConstruction) {
    PluginHost host;
    TarvelEffect effect(PluginHost::callback());
    AEffect* record = effect.getAeffect();
    host.attach(record);
    EXPECT_EQ(record->numPrograms, 1);
    EXPECT_EQ(record->numParams, 2);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->uniqueID, 0x5476726C);
    // Mono and replacing processing; the editor is not the effect's to make.
    EXPECT_EQ(record->flags, effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(effect.editorOf(), nullptr);
    EXPECT_EQ(record->object, &effect);
    EXPECT_TRUE(host.calls().empty()) << "construction calls nothing in the host";
}

TEST(TarvelEffectIdentity, StartsWithProgramTarvelAtUnity) {
    TarvelEffect effect(nullptr);
    EXPECT_EQ(programName(effect), "Tarvel");
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kIpvolume), 1.0f);
    EXPECT_EQ(display(effect, TarvelEffect::kNcvolume), "0.000000");
    EXPECT_EQ(display(effect, TarvelEffect::kIpvolume), "0.000000");
    EXPECT_EQ(effect.getVu(), 0.0f);
    EXPECT_EQ(effect.queuedEvents(), 0);
}

// This program links the effect without the toolkit or the editor: its entry
// point makes the effect alone.
TEST(TarvelEffectIdentity, EntryPointHandsOutTheEffectsRecordWithoutAnEditor) {
    PluginHost host;
    ASSERT_TRUE(host.load(&tarvelMain));
    AEffect* record = host.effect();
    EXPECT_EQ(record->uniqueID, fourCharCode('T', 'v', 'r', 'l'));
    EXPECT_EQ(record->flags, effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_FALSE(outOfMemory);
    EXPECT_NE(dynamic_cast<TarvelEffect*>(static_cast<AudioEffect*>(record->object)), nullptr);
    EXPECT_EQ(host.dispatch(effClose), 1);
}

TEST(TarvelEffectParameters, NamesLabelsAndDisplays) {
    TarvelEffect effect(nullptr);
    char text[32];
    effect.getParameterName(0, text);
    EXPECT_STREQ(text, "ncvolume");
    effect.getParameterName(1, text);
    EXPECT_STREQ(text, "ipvolume");
    // Both gains are shown in decibels and carry the same label.
    for (int32 index : {0, 1}) {
        std::strcpy(text, "x");
        effect.getParameterLabel(index, text);
        EXPECT_STREQ(text, "   dB   ") << "parameter " << index;
    }
    effect.setParameter(TarvelEffect::kNcvolume, 0.0f);
    EXPECT_EQ(display(effect, TarvelEffect::kNcvolume), "-oo");
    effect.setParameter(TarvelEffect::kIpvolume, 0.5f);
    EXPECT_EQ(display(effect, TarvelEffect::kIpvolume), "-6.02059");
}

TEST(TarvelEffectParameters, OtherIndexesLeaveHostBuffersAlone) {
    TarvelEffect effect(nullptr);
    for (int32 index : {2, -1, 1000}) {
        char text[32] = "unchanged";
        effect.getParameterName(index, text);
        effect.getParameterLabel(index, text);
        effect.getParameterDisplay(index, text);
        EXPECT_STREQ(text, "unchanged") << "index " << index;
        EXPECT_EQ(effect.getParameter(index), 0.0f);
    }
}

TEST(TarvelEffectParameters, EveryChangeReachesTheEditorPanelOnce) {
    TarvelEffect effect(nullptr);
    auto* editor = new RecordingEditor(&effect);
    effect.setParameter(TarvelEffect::kNcvolume, 0.25f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 0.25f);
    effect.setParameter(7, 0.5f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 0.25f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kIpvolume), 1.0f);
    const std::vector<std::string> expected = {"setParameter 0 0.250000",
                                               "setParameter 7 0.500000"};
    EXPECT_EQ(editor->log, expected);
}

TEST(TarvelEffectPrograms, SetProgramReappliesTheStoredValues) {
    TarvelEffect effect(nullptr);
    auto* editor = new RecordingEditor(&effect);
    effect.setParameter(TarvelEffect::kNcvolume, 0.25f);
    editor->log.clear();
    effect.setProgram(0);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 0.25f);
    const std::vector<std::string> expected = {"setParameter 0 0.250000",
                                               "setParameter 1 1.000000"};
    EXPECT_EQ(editor->log, expected);
}

TEST(TarvelEffectPrograms, IndexesOutsideTheBankAreRefused) {
    TarvelEffect effect(nullptr);
    auto* editor = new RecordingEditor(&effect);
    for (int32 program : {-1, 1, 5, INT_MIN, INT_MAX}) {
        effect.setProgram(program);
        EXPECT_EQ(effect.getProgram(), 0);
        EXPECT_FALSE(effect.copyProgram(program)) << "copy to " << program;
    }
    // The host's own filter lets negative values through to setProgram.
    effect.dispatcher(effSetProgram, 0, -3, nullptr, 0.0f);
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_TRUE(editor->log.empty());
    EXPECT_EQ(programName(effect), "Tarvel");
}

TEST(TarvelEffectPrograms, CopyOntoItselfChangesNothing) {
    TarvelEffect effect(nullptr);
    effect.setParameter(TarvelEffect::kIpvolume, 0.75f);
    EXPECT_TRUE(effect.copyProgram(0));
    EXPECT_EQ(programName(effect), "Tarvel");
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kIpvolume), 0.75f);
}

TEST(TarvelEffectPrograms, PlaceholderNameIsShownWithItsNumber) {
    TarvelEffect effect(nullptr);
    char name[] = "Init";
    effect.setProgramName(name);
    EXPECT_EQ(programName(effect), "Init 1");
    char numbered[] = "Init 2";
    effect.setProgramName(numbered);
    EXPECT_EQ(programName(effect), "Init 2");
}

TEST(TarvelEffectPrograms, LongNamesAreCutTo23Characters) {
    TarvelEffect effect(nullptr);
    char name[] = "A program name far longer than the field holds";
    effect.setProgramName(name);
    EXPECT_EQ(programName(effect), std::string(name, 23));
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kIpvolume), 1.0f);
}

TEST(TarvelEffectRobustness, NullTextBuffersAreIgnored) {
    TarvelEffect effect(nullptr);
    effect.setProgramName(nullptr);
    effect.getProgramName(nullptr);
    effect.getParameterLabel(0, nullptr);
    effect.getParameterDisplay(0, nullptr);
    effect.getParameterName(1, nullptr);
    for (int32 opcode : {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay,
                         effGetParamName}) {
        EXPECT_EQ(effect.dispatcher(opcode, 0, 0, nullptr, 0.0f), 0);
    }
    EXPECT_EQ(programName(effect), "Tarvel");
}

TEST(TarvelEffectRobustness, NotANumberIsStoredAndShownAsMinusInfinity) {
    TarvelEffect effect(nullptr);
    effect.setParameter(TarvelEffect::kNcvolume, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(std::isnan(effect.getParameter(TarvelEffect::kNcvolume)));
    EXPECT_EQ(display(effect, TarvelEffect::kNcvolume), "-oo");
}

TEST(TarvelEffectLifecycle, ResumeAsksForMidiAndSuspendCallsNothing) {
    PluginHost host;
    TarvelEffect effect(PluginHost::callback());
    host.attach(effect.getAeffect());
    host.suspend();
    EXPECT_TRUE(host.calls().empty());
    host.resume();
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls()[0].value, 1);
}

} // namespace
