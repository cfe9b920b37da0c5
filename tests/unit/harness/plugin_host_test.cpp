// The harness's host: loading, the answers it gives, what it records of each
// call, and how it drives the process entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "fake_plugin.h"
#include "harness/plugin_host.h"
#include "host/test_effect.h"
#include "host/vst_opcodes.h"

namespace {

using fake_plugin::kIndexOfHostCall;

// Makes the fake instance call its host; returns the host's answer.
VstWord hostCallFromPlugin(PluginHost& host, int32 opcode, VstWord value = 0, void* ptr = nullptr,
                           float opt = 0.0f) {
    return host.dispatch(effVendorSpecific, opcode, value, ptr, opt);
}

TEST(PluginHostLoading, AnswersTheVersionQueryThatComesWithoutARecord) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    ASSERT_EQ(host.calls().size(), 1u);
    const HostCall& query = host.calls()[0];
    EXPECT_EQ(query.opcode, audioMasterVersion);
    EXPECT_TRUE(query.fromNullEffect);
    EXPECT_EQ(host.effect()->magic, kEffectMagic);
}

TEST(PluginHostLoading, APluginRefusesAHostThatAnswersVersionZero) {
    HostSettings settings;
    settings.version = 0;
    PluginHost host(settings);
    EXPECT_FALSE(host.load(&fake_plugin::entry));
    EXPECT_FALSE(host.isLoaded());
    EXPECT_EQ(fake_plugin::liveInstances(), 0);
}

TEST(PluginHostLoading, CloseAndTheDestructorEndTheInstance) {
    {
        PluginHost host;
        ASSERT_TRUE(host.load(&fake_plugin::entry));
        EXPECT_EQ(fake_plugin::liveInstances(), 1);
        host.close();
        EXPECT_FALSE(host.isLoaded());
        EXPECT_EQ(fake_plugin::liveInstances(), 0);
        ASSERT_TRUE(host.load(&fake_plugin::entry));
    }
    EXPECT_EQ(fake_plugin::liveInstances(), 0);
}

TEST(PluginHostLoading, CallsReachTheHostOfTheirOwnInstance) {
    PluginHost first;
    PluginHost second;
    ASSERT_TRUE(first.load(&fake_plugin::entry));
    ASSERT_TRUE(second.load(&fake_plugin::entry));
    first.clearCalls();
    second.clearCalls();
    second.resume();
    EXPECT_TRUE(first.calls().empty());
    EXPECT_EQ(countCalls(second.calls(), audioMasterWantMidi), 1);
}

TEST(PluginHostLoading, AnAttachedInstanceIsAnsweredButNeverClosed) {
    TestEffect effect(PluginHost::callback());
    {
        PluginHost host;
        ASSERT_TRUE(host.attach(effect.getAeffect()));
        EXPECT_FALSE(host.attach(effect.getAeffect())) << "one instance per host";
        EXPECT_EQ(effect.getMasterVersion(), 2400);
        ASSERT_EQ(host.calls().size(), 1u);
        EXPECT_FALSE(host.calls()[0].fromNullEffect);
    }
    // The host went without closing the instance; its calls now reach no host
    // (and a version query answered 0 reads as version 1).
    EXPECT_EQ(effect.getMasterVersion(), 1);
}

TEST(PluginHostAnswers, SampleRateAndBlockSizeFollowWhatTheHostSet) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.open();
    host.setSampleRate(48000.0f);
    host.setBlockSize(256);
    host.resume();
    EXPECT_EQ(fake_plugin::sampleRateSeen(host.effect()), 48000.0f);
    EXPECT_EQ(fake_plugin::blockSizeSeen(host.effect()), 256);
    host.dispatch(effSetBlockSizeAndSampleRate, 0, 64, nullptr, 22050.0f);
    host.resume();
    EXPECT_EQ(fake_plugin::sampleRateSeen(host.effect()), 22050.0f);
    EXPECT_EQ(fake_plugin::blockSizeSeen(host.effect()), 64);
    for (float hostile : {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity(), -1.0f, 3e38f}) {
        host.setSampleRate(hostile);
        EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetSampleRate), 0) << hostile;
    }
}

TEST(PluginHostAnswers, GrantsMidiAndEditsAndAnswersItsOwnNames) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterWantMidi, 1), 1);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterBeginEdit), 1);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterEndEdit), 1);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterAutomate, 0, nullptr, 0.25f), 0);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterIdle), 0);

    char text[64];
    std::fill(std::begin(text), std::end(text), '#');
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetProductString, 0, text), 1);
    EXPECT_STREQ(text, "Tarvel Harness");
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetVendorString, 0, text), 1);
    EXPECT_STREQ(text, "Ostrand");
}

TEST(PluginHostAnswers, CanDoGrantsMidiOnlyAndAnswersUnknownWithZero) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    char receive[] = "receiveVstMidiEvent";
    char sizeWindow[] = "sizeWindow";
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterCanDo, 0, receive), 1);
    // 0, not -1: plug-ins that fold the answer into yes/no read -1 as yes.
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterCanDo, 0, sizeWindow), 0);
    EXPECT_EQ(host.calls().back().text, "sizeWindow");
}

TEST(PluginHostAnswers, AScriptedAnswerReplacesTheHostsOwn) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.setAnswer(audioMasterGetSampleRate, 96000);
    host.setAnswer(audioMasterIdle, 5);
    host.setAnswer(audioMasterIdle, -3);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetSampleRate), 96000);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterIdle), -3) << "the latest answer counts";
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetBlockSize), 1024) << "others keep the host's";
    EXPECT_EQ(host.calls().size(), 4u) << "scripted calls are recorded as any";
}

TEST(PluginHostRecording, RecordsEveryFieldOfACall) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.clearCalls();
    hostCallFromPlugin(host, audioMasterAutomate, 42, nullptr, 0.75f);
    ASSERT_EQ(host.calls().size(), 1u);
    const HostCall& call = host.calls()[0];
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.index, kIndexOfHostCall);
    EXPECT_EQ(call.value, 42);
    EXPECT_EQ(call.opt, 0.75f);
    EXPECT_FALSE(call.hadPointer);
    EXPECT_FALSE(call.fromNullEffect);
    EXPECT_EQ(host.takeCalls().size(), 1u);
    EXPECT_TRUE(host.calls().empty());
    char text[] = "text";
    hostCallFromPlugin(host, audioMasterVendorSpecific, 0, text);
    EXPECT_TRUE(host.calls()[0].hadPointer);
    EXPECT_EQ(host.calls()[0].ptr, text);
}

TEST(PluginHostRecording, WithoutRecordingTheHostOnlyCountsAndStillAnswers) {
    HostSettings settings;
    settings.recordCalls = false;
    PluginHost host(settings);
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    bool observed = false;
    host.observeCalls([&](const HostCall&) { observed = true; });
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterGetBlockSize), 1024);
    hostCallFromPlugin(host, audioMasterIdle);
    hostCallFromPlugin(host, audioMasterIdle);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_FALSE(observed);
    EXPECT_EQ(host.answered(audioMasterVersion), 1) << "the query at load";
    EXPECT_EQ(host.answered(audioMasterGetBlockSize), 1);
    EXPECT_EQ(host.answered(audioMasterIdle), 2);
    EXPECT_EQ(host.answered(audioMasterAutomate), 0);
    EXPECT_EQ(host.answered(-1), 0);
}

TEST(PluginHostRecording, AnObserverSeesEachCallWhileItIsMade) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.clearCalls();
    std::vector<std::size_t> recordedBefore;
    std::vector<int32> opcodes;
    host.observeCalls([&](const HostCall& call) {
        opcodes.push_back(call.opcode);
        recordedBefore.push_back(host.calls().size());
    });
    hostCallFromPlugin(host, audioMasterBeginEdit);
    hostCallFromPlugin(host, audioMasterAutomate, 0, nullptr, 0.5f);
    EXPECT_EQ(opcodes, (std::vector<int32>{audioMasterBeginEdit, audioMasterAutomate}));
    // Told after the call is recorded, before the plug-in goes on.
    EXPECT_EQ(recordedBefore, (std::vector<std::size_t>{1, 2}));
    host.observeCalls(nullptr);
    hostCallFromPlugin(host, audioMasterEndEdit);
    EXPECT_EQ(opcodes.size(), 2u);
    EXPECT_EQ(host.calls().size(), 3u);
}

TEST(PluginHostRecording, KeepsCopiesOfEventListsThePluginReuses) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.clearCalls();
    StereoBuffer input(16);
    StereoBuffer output(16);
    const std::vector<MidiMessage> midi = {{0, 0x90, 60, 100}, {5, 0xB0, 1, 64}, {15, 0x80, 60, 0}};
    EXPECT_EQ(host.processBlock(midi, input, output, ProcessMode::replacing), 1);

    // The fake relays what it was given, one reused list per event, and
    // scribbles over its event afterwards: the copies must not change.
    const std::vector<VstMidiEvent> relayed = relayedMidi(host.calls());
    ASSERT_EQ(relayed.size(), midi.size());
    for (std::size_t i = 0; i < midi.size(); ++i) {
        EXPECT_EQ(relayed[i].type, kVstMidiType);
        EXPECT_EQ(relayed[i].byteSize, static_cast<int32>(sizeof(VstMidiEvent)));
        EXPECT_EQ(relayed[i].deltaFrames, midi[i].frame);
        EXPECT_EQ(static_cast<std::uint8_t>(relayed[i].midiData[0]), midi[i].status);
        EXPECT_EQ(static_cast<std::uint8_t>(relayed[i].midiData[1]), midi[i].data1);
        EXPECT_EQ(static_cast<std::uint8_t>(relayed[i].midiData[2]), midi[i].data2);
        EXPECT_EQ(relayed[i].midiData[3], 0);
    }
    EXPECT_EQ(countCalls(host.calls(), audioMasterProcessEvents), 3);
}

TEST(PluginHostRecording, AnEmptyBlockSendsNoEventList) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    StereoBuffer input(8);
    StereoBuffer output(8);
    EXPECT_EQ(host.processBlock({}, input, output, ProcessMode::replacing), 0);
    EXPECT_TRUE(relayedMidi(host.calls()).empty());
}

TEST(MidiEventListLayout, HoldsMoreEventsThanTheRecordDeclares) {
    std::vector<MidiMessage> messages;
    for (int32 i = 0; i < 5; ++i) {
        messages.push_back(controller1(i * 10, i));
    }
    MidiEventList list(messages);
    VstEvents* events = list.events();
    ASSERT_EQ(events->numEvents, 5);
    VstEvent* const* slots = events->events;
    for (int32 i = 0; i < 5; ++i) {
        const VstMidiEvent midi = midiOf(*slots[i]);
        EXPECT_EQ(midi.deltaFrames, i * 10);
        EXPECT_EQ(static_cast<std::uint8_t>(midi.midiData[0]), 0xB0);
        EXPECT_EQ(midi.midiData[1], 1);
        EXPECT_EQ(midi.midiData[2], i);
    }
}

TEST(PluginHostProcessing, ProcessAddsAndProcessReplacingOverwrites) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    host.setParameter(0, 0.5f);
    EXPECT_EQ(host.getParameter(0), 0.5f);
    StereoBuffer input(4);
    input.fill(2.0f);
    StereoBuffer output(4);
    output.fill(10.0f);
    host.processBlock({}, input, output, ProcessMode::accumulating);
    EXPECT_EQ(output.left()[3], 11.0f);
    EXPECT_EQ(output.right()[0], 11.0f);
    host.processBlock({}, input, output, ProcessMode::replacing);
    EXPECT_EQ(output.left()[3], 1.0f);
    EXPECT_EQ(output.right()[0], 1.0f);
    EXPECT_EQ(hostCallFromPlugin(host, audioMasterWillReplaceOrAccumulate), 1);
}

TEST(PluginHostTexts, ReadsTextsAndPassesCapabilities) {
    PluginHost host;
    ASSERT_TRUE(host.load(&fake_plugin::entry));
    EXPECT_EQ(host.parameterName(0), "gain");
    EXPECT_EQ(host.parameterLabel(0), "x");
    EXPECT_EQ(host.effectName(), "Fake");
    EXPECT_EQ(host.programName(), ""); // the fake writes nothing: the buffer starts empty
    EXPECT_EQ(host.canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(host.canDo("bypass"), -1);
}

} // namespace
