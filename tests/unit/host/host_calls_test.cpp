// The calls an effect makes of its host: the opcode and arguments each
// wrapper sends, how the host's answer becomes the wrapper's result, and what
// each wrapper answers when there is no host at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "test_effect.h"

namespace {

// Arguments the wrappers pass through untouched; their addresses identify them.
char text[64] = "sizeWindow";
char opaque[64];
VstEvents events{};
char answerTarget;

template <typename T> T* opaqueAs() {
    return reinterpret_cast<T*>(opaque);
}

VstWord addressOf(const void* address) {
    return reinterpret_cast<VstWord>(address);
}

// How a wrapper turns the host's answer into its result.
enum class Conversion {
    Answer,  // the answer itself
    Bool,    // true for any answer but 0
    Address, // the answer as an address, null included
    None,    // nothing to return
    Special, // checked case by case below
};

struct Wrapper {
    const char* name;
    VstWord (*call)(AudioEffectX& effect); // the wrapper's result as a number
    int32 opcode;
    int32 index;
    VstWord value;
    void* ptr;
    float opt;
    Conversion conversion;
    VstWord withoutHost; // the result when there is no host callback
};

const std::vector<Wrapper>& wrappers() {
    using C = Conversion;
    using E = AudioEffectX;
    static const std::vector<Wrapper> table = {
        {"setParameterAutomated",
         [](E& e) -> VstWord {
             e.setParameterAutomated(1, 0.75f);
             return 0;
         },
         audioMasterAutomate, 1, 0, nullptr, 0.75f, C::None, 0},
        {"getMasterVersion", [](E& e) -> VstWord { return e.getMasterVersion(); },
         audioMasterVersion, 0, 0, nullptr, 0.0f, C::Special, 1},
        {"getCurrentUniqueId", [](E& e) -> VstWord { return e.getCurrentUniqueId(); },
         audioMasterCurrentId, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"masterIdle",
         [](E& e) -> VstWord {
             e.masterIdle();
             return 0;
         },
         audioMasterIdle, 0, 0, nullptr, 0.0f, C::None, 0},
        {"isInputConnected", [](E& e) -> VstWord { return e.isInputConnected(3); },
         audioMasterPinConnected, 3, 0, nullptr, 0.0f, C::Special, 1},
        {"isOutputConnected", [](E& e) -> VstWord { return e.isOutputConnected(3); },
         audioMasterPinConnected, 3, 1, nullptr, 0.0f, C::Special, 1},
        {"wantEvents",
         [](E& e) -> VstWord {
             e.wantEvents(5);
             return 0;
         },
         audioMasterWantMidi, 0, 5, nullptr, 0.0f, C::None, 0},
        {"getTimeInfo", [](E& e) { return addressOf(e.getTimeInfo(9)); }, audioMasterGetTime, 0, 9,
         nullptr, 0.0f, C::Address, 0},
        {"sendVstEventsToHost", [](E& e) -> VstWord { return e.sendVstEventsToHost(&events); },
         audioMasterProcessEvents, 0, 0, &events, 0.0f, C::Special, 0},
        {"tempoAt", [](E& e) -> VstWord { return e.tempoAt(480); }, audioMasterTempoAt, 0, 480,
         nullptr, 0.0f, C::Answer, 0},
        {"getNumAutomatableParameters",
         [](E& e) -> VstWord { return e.getNumAutomatableParameters(); },
         audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"getParameterQuantization", [](E& e) -> VstWord { return e.getParameterQuantization(); },
         audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"ioChanged", [](E& e) -> VstWord { return e.ioChanged(); }, audioMasterIOChanged, 0, 0,
         nullptr, 0.0f, C::Bool, 0},
        {"needIdle", [](E& e) -> VstWord { return e.needIdle(); }, audioMasterNeedIdle, 0, 0,
         nullptr, 0.0f, C::Bool, 0},
        {"sizeWindow", [](E& e) -> VstWord { return e.sizeWindow(268, 107); },
         audioMasterSizeWindow, 268, 107, nullptr, 0.0f, C::Bool, 0},
        {"updateSampleRate",
         [](E& e) -> VstWord { return static_cast<VstWord>(e.updateSampleRate()); },
         audioMasterGetSampleRate, 0, 0, nullptr, 0.0f, C::Special, 44100},
        {"updateBlockSize", [](E& e) -> VstWord { return e.updateBlockSize(); },
         audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, C::Special, 1024},
        {"getInputLatency", [](E& e) -> VstWord { return e.getInputLatency(); },
         audioMasterGetInputLatency, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"getOutputLatency", [](E& e) -> VstWord { return e.getOutputLatency(); },
         audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, C::Answer, 0},
        // The pin number is not passed on to the host.
        {"getPreviousPlug", [](E& e) { return addressOf(e.getPreviousPlug(5)); },
         audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f, C::Address, 0},
        {"getNextPlug", [](E& e) { return addressOf(e.getNextPlug(6)); }, audioMasterGetNextPlug, 0,
         0, nullptr, 0.0f, C::Address, 0},
        {"willProcessReplacing", [](E& e) -> VstWord { return e.willProcessReplacing(); },
         audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"getCurrentProcessLevel", [](E& e) -> VstWord { return e.getCurrentProcessLevel(); },
         audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"getAutomationState", [](E& e) -> VstWord { return e.getAutomationState(); },
         audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"offlineStart",
         [](E& e) -> VstWord { return e.offlineStart(opaqueAs<VstAudioFile>(), 4, 2); },
         audioMasterOfflineStart, 2, 4, opaque, 0.0f, C::Bool, 0},
        {"offlineRead (source)",
         [](E& e) -> VstWord { return e.offlineRead(opaqueAs<VstOfflineTask>(), 6, true); },
         audioMasterOfflineRead, 1, 6, opaque, 0.0f, C::Bool, 0},
        {"offlineRead (destination)",
         [](E& e) -> VstWord { return e.offlineRead(opaqueAs<VstOfflineTask>(), 6, false); },
         audioMasterOfflineRead, 0, 6, opaque, 0.0f, C::Bool, 0},
        {"offlineWrite",
         [](E& e) -> VstWord { return e.offlineWrite(opaqueAs<VstOfflineTask>(), 6); },
         audioMasterOfflineWrite, 0, 6, opaque, 0.0f, C::Bool, 0},
        // The current pass is folded to 0 or 1 like a bool.
        {"offlineGetCurrentPass", [](E& e) -> VstWord { return e.offlineGetCurrentPass(); },
         audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, C::Bool, 0},
        {"offlineGetCurrentMetaPass", [](E& e) -> VstWord { return e.offlineGetCurrentMetaPass(); },
         audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, C::Bool, 0},
        {"setOutputSamplerate",
         [](E& e) -> VstWord {
             e.setOutputSamplerate(22050.0f);
             return 0;
         },
         audioMasterSetOutputSampleRate, 0, 0, nullptr, 22050.0f, C::None, 0},
        {"getOutputSpeakerArrangement",
         [](E& e) { return addressOf(e.getOutputSpeakerArrangement()); },
         audioMasterGetSpeakerArrangement, 0, 0, nullptr, 0.0f, C::Address, 0},
        {"getHostVendorString", [](E& e) -> VstWord { return e.getHostVendorString(text); },
         audioMasterGetVendorString, 0, 0, text, 0.0f, C::Bool, 0},
        {"getHostProductString", [](E& e) -> VstWord { return e.getHostProductString(text); },
         audioMasterGetProductString, 0, 0, text, 0.0f, C::Bool, 0},
        {"getHostVendorVersion", [](E& e) -> VstWord { return e.getHostVendorVersion(); },
         audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"hostVendorSpecific",
         [](E& e) -> VstWord { return e.hostVendorSpecific(11, 22, text, 0.25f); },
         audioMasterVendorSpecific, 11, 22, text, 0.25f, C::Answer, 0},
        // Yes (1) and no (-1) both fold to 1: the host understood the question.
        {"canHostDo", [](E& e) -> VstWord { return e.canHostDo(text); }, audioMasterCanDo, 0, 0,
         text, 0.0f, C::Bool, 0},
        {"getHostLanguage", [](E& e) -> VstWord { return e.getHostLanguage(); },
         audioMasterGetLanguage, 0, 0, nullptr, 0.0f, C::Answer, 0},
        {"openWindow", [](E& e) { return addressOf(e.openWindow(opaque)); }, audioMasterOpenWindow,
         0, 0, opaque, 0.0f, C::Address, 0},
        {"closeWindow", [](E& e) -> VstWord { return e.closeWindow(opaque); },
         audioMasterCloseWindow, 0, 0, opaque, 0.0f, C::Bool, 0},
        {"getDirectory", [](E& e) { return addressOf(e.getDirectory()); }, audioMasterGetDirectory,
         0, 0, nullptr, 0.0f, C::Address, 0},
        {"updateDisplay", [](E& e) -> VstWord { return e.updateDisplay(); },
         audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f, C::Bool, 0},
        {"beginEdit", [](E& e) -> VstWord { return e.beginEdit(1); }, audioMasterBeginEdit, 1, 0,
         nullptr, 0.0f, C::Bool, 0},
        {"endEdit", [](E& e) -> VstWord { return e.endEdit(1); }, audioMasterEndEdit, 1, 0, nullptr,
         0.0f, C::Bool, 0},
        {"openFileSelector",
         [](E& e) -> VstWord { return e.openFileSelector(opaqueAs<VstFileSelect>()); },
         audioMasterOpenFileSelector, 0, 0, opaque, 0.0f, C::Bool, 0},
        {"closeFileSelector",
         [](E& e) -> VstWord { return e.closeFileSelector(opaqueAs<VstFileSelect>()); },
         audioMasterCloseFileSelector, 0, 0, opaque, 0.0f, C::Bool, 0},
        {"getChunkFile", [](E& e) -> VstWord { return e.getChunkFile(opaque); },
         audioMasterGetChunkFile, 0, 0, opaque, 0.0f, C::Bool, 0},
        {"getInputSpeakerArrangement",
         [](E& e) { return addressOf(e.getInputSpeakerArrangement()); },
         audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f, C::Address, 0},
    };
    return table;
}

class HostCalls : public ::testing::Test {
protected:
    HostCalls() { host.attach(effect.getAeffect()); }
    PluginHost host;
    TestEffect effect{PluginHost::callback()};
};

TEST_F(HostCalls, EveryWrapperSendsItsOpcodeAndArgumentsWithItsOwnRecord) {
    for (const Wrapper& wrapper : wrappers()) {
        SCOPED_TRACE(wrapper.name);
        host.clearCalls();
        wrapper.call(effect);
        const std::vector<HostCall>& calls = host.calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_FALSE(calls[0].fromNullEffect) << "the host knows the call by its record";
        EXPECT_EQ(calls[0].opcode, wrapper.opcode);
        EXPECT_EQ(calls[0].index, wrapper.index);
        EXPECT_EQ(calls[0].value, wrapper.value);
        EXPECT_EQ(calls[0].ptr, wrapper.ptr);
        EXPECT_EQ(calls[0].opt, wrapper.opt);
    }
}

TEST_F(HostCalls, AnswersAreConvertedAsEachWrapperPromises) {
    for (const Wrapper& wrapper : wrappers()) {
        for (const VstWord answer : {VstWord{0}, VstWord{1}, VstWord{-1}, VstWord{2},
                                     VstWord{123456}, addressOf(&answerTarget)}) {
            SCOPED_TRACE(std::string(wrapper.name) + " with host answer " + std::to_string(answer));
            host.setAnswer(wrapper.opcode, answer);
            const VstWord result = wrapper.call(effect);
            switch (wrapper.conversion) {
            case Conversion::Answer:
                EXPECT_EQ(result, static_cast<int32>(answer));
                break;
            case Conversion::Bool:
                EXPECT_EQ(result, answer != 0 ? 1 : 0);
                break;
            case Conversion::Address:
                EXPECT_EQ(result, answer);
                break;
            case Conversion::None:
            case Conversion::Special:
                break;
            }
        }
    }
}

TEST(HostCallsWithoutHost, EveryWrapperAnswersAsAnEmptyHostWould) {
    for (const Wrapper& wrapper : wrappers()) {
        SCOPED_TRACE(wrapper.name);
        TestEffect effect(nullptr);
        EXPECT_EQ(wrapper.call(effect), wrapper.withoutHost);
    }
}

TEST_F(HostCalls, MasterVersionZeroReadsAsVersionOne) {
    host.setAnswer(audioMasterVersion, 0);
    EXPECT_EQ(effect.getMasterVersion(), 1);
    host.setAnswer(audioMasterVersion, 2400);
    EXPECT_EQ(effect.getMasterVersion(), 2400);
}

TEST_F(HostCalls, EventsCountAsDeliveredOnlyWhenTheHostAnswersExactlyOne) {
    host.setAnswer(audioMasterProcessEvents, 1);
    EXPECT_TRUE(effect.sendVstEventsToHost(&events));
    for (const VstWord answer : {VstWord{0}, VstWord{2}, VstWord{-1}}) {
        host.setAnswer(audioMasterProcessEvents, answer);
        EXPECT_FALSE(effect.sendVstEventsToHost(&events)) << "host answer " << answer;
    }
}

TEST_F(HostCalls, PinsAreConnectedWhenTheHostAnswersZero) {
    host.setAnswer(audioMasterPinConnected, 0);
    EXPECT_TRUE(effect.isInputConnected(3));
    EXPECT_TRUE(effect.isOutputConnected(3));
    host.setAnswer(audioMasterPinConnected, 1);
    EXPECT_FALSE(effect.isInputConnected(3));
    EXPECT_FALSE(effect.isOutputConnected(3));
}

TEST_F(HostCalls, SampleRateIsTakenFromTheHostOnlyWhenPositive) {
    effect.setSampleRate(32000.0f);
    for (const VstWord answer : {VstWord{0}, VstWord{-1}}) {
        host.setAnswer(audioMasterGetSampleRate, answer);
        EXPECT_EQ(effect.updateSampleRate(), 32000.0) << "host answer " << answer;
        EXPECT_EQ(effect.getSampleRate(), 32000.0f);
    }
    host.setAnswer(audioMasterGetSampleRate, 48000);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
}

TEST_F(HostCalls, BlockSizeIsTakenFromTheHostOnlyWhenPositive) {
    effect.setBlockSize(256);
    for (const VstWord answer : {VstWord{0}, VstWord{-1}}) {
        host.setAnswer(audioMasterGetBlockSize, answer);
        EXPECT_EQ(effect.updateBlockSize(), 256) << "host answer " << answer;
        EXPECT_EQ(effect.getBlockSize(), 256);
    }
    host.setAnswer(audioMasterGetBlockSize, 4096);
    EXPECT_EQ(effect.updateBlockSize(), 4096);
    EXPECT_EQ(effect.getBlockSize(), 4096);
}

TEST_F(HostCalls, FileRequestsWithoutAnArgumentNeverReachTheHost) {
    for (int32 opcode :
         {audioMasterOpenFileSelector, audioMasterCloseFileSelector, audioMasterGetChunkFile}) {
        host.setAnswer(opcode, 1);
    }
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls().empty());
}

// Notes the values the effect took.
class AutomatedEffect : public TestEffect {
public:
    using TestEffect::TestEffect;
    void setParameter(int32 index, float value) override { taken.push_back({index, value}); }
    std::vector<std::pair<int32, float>> taken;
};

TEST(HostCallsAutomation, AutomationAppliesTheValueBeforeTellingTheHost) {
    PluginHost host;
    AutomatedEffect automated(PluginHost::callback());
    host.attach(automated.getAeffect());
    host.setAnswer(audioMasterAutomate, -1);
    std::vector<std::size_t> takenWhenTold;
    host.observeCalls([&](const HostCall&) { takenWhenTold.push_back(automated.taken.size()); });
    automated.setParameterAutomated(1, 0.25f);
    const std::vector<std::pair<int32, float>> expected = {{1, 0.25f}};
    EXPECT_EQ(automated.taken, expected);
    EXPECT_EQ(takenWhenTold, std::vector<std::size_t>{1});
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls()[0].opt, 0.25f);
}

TEST(HostCallsWithoutHost, AutomationStillAppliesTheValue) {
    AutomatedEffect automated(nullptr);
    automated.setParameterAutomated(0, 0.5f);
    const std::vector<std::pair<int32, float>> expected = {{0, 0.5f}};
    EXPECT_EQ(automated.taken, expected);
}

} // namespace
