// The record handed to the host: how the entry point makes or refuses it, its
// start values, the entry functions that
// lead from it back to the effect, closing through it, and the setters that
// change it.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "host/aeff_editor.h"
#include "host/module.h"
#include "host/vst_opcodes.h"
#include "test_effect.h"

namespace {

TEST(EntryPoint, RefusesWithoutAHostCallback) {
    EXPECT_EQ(tarvelMain(nullptr), nullptr);
}

TEST(EntryPoint, RefusesAHostAnsweringVersionZeroBeforeCreatingAnything) {
    HostSettings versionZero;
    versionZero.version = 0;
    PluginHost host(versionZero);
    EXPECT_FALSE(host.load(&tarvelMain));
    // The version query is the only call: no effect was made to call anything.
    ASSERT_EQ(host.calls().size(), 1u);
    const HostCall& query = host.calls()[0];
    EXPECT_TRUE(query.fromNullEffect);
    EXPECT_EQ(query.opcode, audioMasterVersion);
    EXPECT_EQ(query.index, 0);
    EXPECT_EQ(query.value, 0);
    EXPECT_EQ(query.ptr, nullptr);
    EXPECT_EQ(query.opt, 0.0f);
}

TEST(EntryPoint, EachCallMakesAnIndependentInstance) {
    PluginHost firstHost;
    PluginHost secondHost;
    ASSERT_TRUE(firstHost.load(&tarvelMain));
    ASSERT_TRUE(secondHost.load(&tarvelMain));
    AEffect* first = firstHost.effect();
    AEffect* second = secondHost.effect();
    for (const PluginHost* host : {&firstHost, &secondHost}) {
        ASSERT_FALSE(host->calls().empty());
        EXPECT_EQ(host->calls()[0].opcode, audioMasterVersion);
        EXPECT_TRUE(host->calls()[0].fromNullEffect);
    }

    EXPECT_NE(first, second);
    EXPECT_NE(first->object, second->object);
    for (AEffect* record : {first, second}) {
        EXPECT_EQ(record->magic, kEffectMagic);
        ASSERT_NE(record->object, nullptr);
        EXPECT_EQ(static_cast<AudioEffect*>(record->object)->getAeffect(), record);
    }
    EXPECT_EQ(firstHost.dispatch(effClose), 1);
    EXPECT_EQ(secondHost.dispatch(effClose), 1);
}

// An effect that could not make its editor marks the whole module; from then
// on every new instance is destroyed again (the leak checker sees any that is
// not) and refused.
TEST(EntryPoint, RefusesEveryInstanceOnceOutOfMemory) {
    PluginHost host;
    const bool before = outOfMemory;
    outOfMemory = true;
    EXPECT_FALSE(host.load(&tarvelMain));
    EXPECT_FALSE(host.load(&tarvelMain));
    outOfMemory = before;
}

TEST(FreshRecord, CarriesTheStartValuesOfAnEffectNoOneHasChanged) {
    TestEffect effect(nullptr, 3, 5);
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.magic, 0x56737450); // 'VstP'
    EXPECT_EQ(record.numPrograms, 3);
    EXPECT_EQ(record.numParams, 5);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.uniqueID, 0x4E6F4566); // 'NoEf'
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.object, static_cast<AudioEffect*>(&effect));
    EXPECT_NE(record.dispatcher, nullptr);
    EXPECT_NE(record.process, nullptr);
    EXPECT_NE(record.processReplacing, nullptr);
    EXPECT_NE(record.setParameter, nullptr);
    EXPECT_NE(record.getParameter, nullptr);

    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_EQ(effect.getEditor(), nullptr);
}

TEST(FreshRecord, ReservedAndFutureFieldsAreZero) {
    TestEffect effect;
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.resvd1, 0);
    EXPECT_EQ(record.resvd2, 0);
    EXPECT_EQ(record.initialDelay, 0);
    EXPECT_EQ(record.realQualities, 0);
    EXPECT_EQ(record.offQualities, 0);
    EXPECT_EQ(record.user, nullptr);
    for (std::size_t i = 0; i < sizeof record.future; ++i) {
        EXPECT_EQ(record.future[i], 0) << "future byte " << i;
    }
}

TEST(FreshRecord, IsEmbeddedInItsEffectAndPointsBackToIt) {
    TestEffect first;
    TestEffect second;
    const char* firstStart = reinterpret_cast<const char*>(&first);
    const char* firstRecord = reinterpret_cast<const char*>(first.getAeffect());
    EXPECT_GE(firstRecord, firstStart);
    EXPECT_LE(firstRecord + sizeof(AEffect), firstStart + sizeof first);
    EXPECT_EQ(first.getAeffect(), first.getAeffect());
    EXPECT_NE(first.getAeffect(), second.getAeffect());
    EXPECT_EQ(second.getAeffect()->object, static_cast<AudioEffect*>(&second));
}

// Records what arrives through the entry functions.
class ForwardedEffect : public TestEffect {
public:
    float getParameter(int32 index) override { return static_cast<float>(index) * 0.5f - 3.0f; }
    void setParameter(int32 index, float value) override {
        lastIndex = index;
        lastValue = value;
    }
    void process(float** inputs, float** outputs, int32 sampleFrames) override {
        processed = {inputs, outputs, sampleFrames};
    }
    void processReplacing(float** inputs, float** outputs, int32 sampleFrames) override {
        replaced = {inputs, outputs, sampleFrames};
    }
    int32 getVendorVersion() override { return -77; }

    struct Block {
        float** inputs = nullptr;
        float** outputs = nullptr;
        int32 sampleFrames = 0;
    };
    Block processed;
    Block replaced;
    int32 lastIndex = 0;
    float lastValue = 0.0f;
};

TEST(EntryFunctions, GetParameterAnswersExactlyWhatTheEffectAnswersForAnyIndex) {
    ForwardedEffect effect;
    AEffect* record = effect.getAeffect();
    for (const int32 index : {0, 1, 2, -1, 1000, INT_MAX, INT_MIN}) {
        EXPECT_EQ(record->getParameter(record, index), effect.getParameter(index))
            << "index " << index;
    }
}

TEST(EntryFunctions, SetParameterAndProcessingReachTheEffectUnchanged) {
    ForwardedEffect effect;
    AEffect* record = effect.getAeffect();
    record->setParameter(record, 7, 0.625f);
    EXPECT_EQ(effect.lastIndex, 7);
    EXPECT_EQ(effect.lastValue, 0.625f);

    float left[4] = {};
    float right[4] = {};
    float* inputs[2] = {left, right};
    float* outputs[2] = {right, left};
    record->process(record, inputs, outputs, 4);
    EXPECT_EQ(effect.processed.inputs, inputs);
    EXPECT_EQ(effect.processed.outputs, outputs);
    EXPECT_EQ(effect.processed.sampleFrames, 4);
    EXPECT_EQ(effect.replaced.inputs, nullptr);

    record->processReplacing(record, outputs, inputs, 3);
    EXPECT_EQ(effect.replaced.inputs, outputs);
    EXPECT_EQ(effect.replaced.outputs, inputs);
    EXPECT_EQ(effect.replaced.sampleFrames, 3);
}

TEST(EntryFunctions, DispatcherAnswersWhatTheEffectAnswers) {
    ForwardedEffect effect;
    AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->dispatcher(record, effGetVendorVersion, 0, 0, nullptr, 0.0f), -77);
    EXPECT_EQ(record->dispatcher(record, effGetVstVersion, 0, 0, nullptr, 0.0f), 2300);
    EXPECT_EQ(record->dispatcher(record, 999, 0, 0, nullptr, 0.0f), 0);
}

// Closing: the order of what happens to an effect and its editor, kept where
// it survives the effect.
std::vector<std::string>& lifecycleLog() {
    static std::vector<std::string> log;
    return log;
}

class LoggedEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    ~LoggedEditor() override { lifecycleLog().push_back("editor destroyed"); }
};

class ClosingEffect : public TestEffect {
public:
    ClosingEffect() { setEditor(new LoggedEditor(this)); }
    ~ClosingEffect() override { lifecycleLog().push_back("effect destroyed"); }
    void close() override { lifecycleLog().push_back("close"); }
    VstWord dispatcher(int32 opcode, int32 index, VstWord value, void* ptr, float opt) override {
        lifecycleLog().push_back("dispatcher " + std::to_string(opcode));
        TestEffect::dispatcher(opcode, index, value, ptr, opt);
        return 42;
    }
};

TEST(EntryFunctions, CloseRunsCloseThenDestroysEffectAndEditorAndAnswersOne) {
    lifecycleLog().clear();
    AEffect* record = (new ClosingEffect)->getAeffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    const std::vector<std::string> expected = {"dispatcher 1", "close", "effect destroyed",
                                               "editor destroyed"};
    EXPECT_EQ(lifecycleLog(), expected);
}

TEST(EntryFunctions, OtherOpcodesLeaveTheEffectAlive) {
    lifecycleLog().clear();
    ClosingEffect effect;
    AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f), 42);
    const std::vector<std::string> expected = {"dispatcher 0"};
    EXPECT_EQ(lifecycleLog(), expected);
}

struct FlagSetter {
    const char* name;
    void (*set)(AudioEffectX& effect, bool state);
    int32 bit;
};

const FlagSetter kFlagSetters[] = {
    {"hasClip", [](AudioEffectX& e, bool s) { e.hasClip(s); }, effFlagsHasClip},
    {"hasVu", [](AudioEffectX& e, bool s) { e.hasVu(s); }, effFlagsHasVu},
    {"canMono", [](AudioEffectX& e, bool s) { e.canMono(s); }, effFlagsCanMono},
    {"canProcessReplacing", [](AudioEffectX& e, bool s) { e.canProcessReplacing(s); },
     effFlagsCanReplacing},
    {"programsAreChunks", [](AudioEffectX& e, bool s) { e.programsAreChunks(s); },
     effFlagsProgramChunks},
    {"isSynth", [](AudioEffectX& e, bool s) { e.isSynth(s); }, effFlagsIsSynth},
    {"noTail", [](AudioEffectX& e, bool s) { e.noTail(s); }, effFlagsNoSoundInStop},
    {"wantAsyncOperation", [](AudioEffectX& e, bool s) { e.wantAsyncOperation(s); },
     effFlagsExtIsAsync},
    {"hasExternalBuffer", [](AudioEffectX& e, bool s) { e.hasExternalBuffer(s); },
     effFlagsExtHasBuffer},
};

TEST(RecordSetters, EachFlagSetterChangesOnlyItsOwnBit) {
    for (const FlagSetter& setter : kFlagSetters) {
        for (const int32 others : {0, ~0, 0x5A5A5A5A}) {
            SCOPED_TRACE(std::string(setter.name) + " with flags " + std::to_string(others));
            TestEffect effect;
            int32& flags = effect.getAeffect()->flags;
            flags = others;
            setter.set(effect, true);
            EXPECT_EQ(flags, others | setter.bit);
            setter.set(effect, true);
            EXPECT_EQ(flags, others | setter.bit);
            setter.set(effect, false);
            EXPECT_EQ(flags, others & ~setter.bit);
        }
    }
}

TEST(RecordSetters, RegisteringAnEditorMarksTheRecord) {
    TestEffect effect;
    AEffEditor editor(&effect);
    effect.getAeffect()->flags = effFlagsCanReplacing;
    effect.setEditor(&editor);
    EXPECT_EQ(effect.getEditor(), &editor);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanReplacing | effFlagsHasEditor);
    effect.setEditor(nullptr); // the effect must not delete the stack editor
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanReplacing);
}

struct FieldSetter {
    const char* name;
    void (*set)(AudioEffectX& effect, int32 value);
    std::size_t offset;
};

const FieldSetter kFieldSetters[] = {
    {"setUniqueID", [](AudioEffectX& e, int32 v) { e.setUniqueID(v); },
     offsetof(AEffect, uniqueID)},
    {"setNumInputs", [](AudioEffectX& e, int32 v) { e.setNumInputs(v); },
     offsetof(AEffect, numInputs)},
    {"setNumOutputs", [](AudioEffectX& e, int32 v) { e.setNumOutputs(v); },
     offsetof(AEffect, numOutputs)},
    {"setRealtimeQualities", [](AudioEffectX& e, int32 v) { e.setRealtimeQualities(v); },
     offsetof(AEffect, realQualities)},
    {"setOfflineQualities", [](AudioEffectX& e, int32 v) { e.setOfflineQualities(v); },
     offsetof(AEffect, offQualities)},
    {"setInitialDelay", [](AudioEffectX& e, int32 v) { e.setInitialDelay(v); },
     offsetof(AEffect, initialDelay)},
};

TEST(RecordSetters, EachFieldSetterWritesOnlyItsOwnField) {
    for (const FieldSetter& setter : kFieldSetters) {
        SCOPED_TRACE(setter.name);
        TestEffect effect;
        unsigned char before[sizeof(AEffect)];
        std::memcpy(before, effect.getAeffect(), sizeof before);
        const int32 value = 0x01020304;
        setter.set(effect, value);
        unsigned char after[sizeof(AEffect)];
        std::memcpy(after, effect.getAeffect(), sizeof after);
        int32 written = 0;
        std::memcpy(&written, after + setter.offset, sizeof written);
        EXPECT_EQ(written, value);
        for (std::size_t i = 0; i < sizeof(AEffect); ++i) {
            if (i < setter.offset || i >= setter.offset + sizeof(int32)) {
                EXPECT_EQ(after[i], before[i]) << "byte " << i;
            }
        }
    }
}

} // namespace
