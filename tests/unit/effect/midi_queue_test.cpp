// The MIDI queue: admission, release at the event's frame, relaying to the
// host, and what controller 1 and program changes do on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "effect_test_support.h"

namespace {

constexpr int32 kBlock = 512;

class MidiQueue : public ::testing::Test {
protected:
    int32 deliver(std::vector<VstMidiEvent> events) {
        EventList list(events);
        return effect.processEvents(list.list());
    }

    // Runs one block over a rising ramp (never a crossing, so the output is
    // the input) and answers the frame at which the first relay happened:
    // the host zeroes the rest of the input then, so frames from the relay
    // on come out silent.
    int32 blockAndFirstRelayFrame(int32 frames = kBlock) {
        std::vector<float> in(static_cast<std::size_t>(frames));
        for (std::size_t i = 0; i < in.size(); ++i) {
            in[i] = 1.0f + static_cast<float>(i);
        }
        host.observeCalls([&in](const HostCall& call) {
            if (call.opcode == audioMasterProcessEvents) {
                std::fill(in.begin(), in.end(), 0.0f);
            }
        });
        const std::vector<float> out = runBlock(effect, in.data(), frames);
        host.observeCalls(nullptr);
        for (int32 i = 0; i < frames; ++i) {
            if (out[static_cast<std::size_t>(i)] == 0.0f) {
                return i;
            }
        }
        return -1;
    }

    // A block of silence; the buffers stay valid for empty and negative lengths.
    void block(int32 frames = kBlock) {
        std::vector<float> silence(static_cast<std::size_t>(std::max(frames, 1)), 0.0f);
        std::vector<float> left(silence.size()), right(silence.size());
        float* inputs[] = {silence.data(), silence.data()};
        float* outputs[] = {left.data(), right.data()};
        effect.processReplacing(inputs, outputs, frames);
    }

    MidiQueue() { host.attach(effect.getAeffect()); }
    std::vector<VstMidiEvent> relayed() const { return relayedEvents(host); }

    PluginHost host;
    TarvelEffect effect{PluginHost::callback()};
};

TEST_F(MidiQueue, NoteOnIsRelayedAloneBeforeItsFramesAudio) {
    EXPECT_EQ(deliver({midiEvent(10, 0x92, 60, 100)}), 1);
    EXPECT_EQ(effect.queuedEvents(), 1);
    EXPECT_EQ(blockAndFirstRelayFrame(), 10);
    ASSERT_EQ(host.calls().size(), 1u);
    const HostCall& call = host.calls()[0];
    EXPECT_EQ(call.opcode, audioMasterProcessEvents);
    ASSERT_EQ(call.events.size(), 1u);
    const VstMidiEvent sent = midiOf(call.events[0]);
    EXPECT_EQ(sent.type, kVstMidiType);
    EXPECT_EQ(sent.deltaFrames, 10);
    EXPECT_EQ(static_cast<uint8>(sent.midiData[0]), 0x92);
    EXPECT_EQ(sent.midiData[1], 60);
    EXPECT_EQ(sent.midiData[2], 100);
    EXPECT_EQ(effect.queuedEvents(), 0);
}

TEST_F(MidiQueue, EventsAreReleasedByFrameThenByArrival) {
    deliver({midiEvent(20, 0x90, 1, 1), midiEvent(5, 0x90, 2, 1), midiEvent(5, 0x90, 3, 1),
             midiEvent(5, 0x90, 4, 1)});
    block();
    const std::vector<VstMidiEvent> sent = relayed();
    ASSERT_EQ(sent.size(), 4u);
    const int expectedNotes[] = {2, 3, 4, 1};
    const int expectedFrames[] = {5, 5, 5, 20};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(sent[i].midiData[1], expectedNotes[i]);
        EXPECT_EQ(sent[i].deltaFrames, expectedFrames[i]);
    }
}

TEST_F(MidiQueue, RelayedMessagesByKind) {
    deliver({midiEvent(0, 0x93, 64, 0),      // note-on at velocity 0: a note-off
             midiEvent(1, 0x81, 0xC0, 0xFF), // data bytes keep their low 7 bits
             midiEvent(2, 0xA4, 10, 20), midiEvent(3, 0xB5, 7, 90), midiEvent(4, 0xC6, 9, 44),
             midiEvent(5, 0xD7, 33, 44), midiEvent(6, 0xE8, 1, 64)});
    block();
    const std::vector<VstMidiEvent> sent = relayed();
    const int expected[][3] = {{0x83, 64, 0}, {0x81, 0x40, 0x7F}, {0xA4, 10, 20}, {0xB5, 7, 90},
                               {0xC6, 9, 0},  {0xD7, 33, 0},      {0xE8, 1, 64}};
    ASSERT_EQ(sent.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(static_cast<uint8>(sent[i].midiData[0]), expected[i][0]) << "message " << i;
        EXPECT_EQ(sent[i].midiData[1], expected[i][1]) << "message " << i;
        EXPECT_EQ(sent[i].midiData[2], expected[i][2]) << "message " << i;
    }
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f) << "controller 7 changes no gain";
}

TEST_F(MidiQueue, SystemMessagesAndStrayDataBytesLeaveUnrelayed) {
    deliver({midiEvent(3, 0xF8, 0, 0), midiEvent(4, 0x45, 1, 2)});
    EXPECT_EQ(effect.queuedEvents(), 2);
    block();
    EXPECT_EQ(effect.queuedEvents(), 0);
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(MidiQueue, NonMidiEventsAreIgnored) {
    std::vector<VstMidiEvent> events = {midiEvent(0, 0x90, 60, 1), midiEvent(0, 0x90, 61, 1)};
    events[0].type = kVstSysExType;
    EventList list(events);
    EXPECT_EQ(effect.processEvents(list.list()), 1);
    EXPECT_EQ(effect.queuedEvents(), 1);
    block();
    ASSERT_EQ(relayed().size(), 1u);
    EXPECT_EQ(relayed()[0].midiData[1], 61);
}

TEST_F(MidiQueue, EmptyAndMissingListsAdmitNothing) {
    EXPECT_EQ(deliver({}), 1);
    EXPECT_EQ(effect.processEvents(nullptr), 0);
    EXPECT_EQ(effect.dispatcher(effProcessEvents, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.queuedEvents(), 0);
}

TEST_F(MidiQueue, HoldsAt249EventsAndDropsTheRest) {
    std::vector<VstMidiEvent> events;
    for (int i = 0; i < 250; ++i) {
        events.push_back(midiEvent(i % kBlock, 0x90, i % 128, 1));
    }
    EXPECT_EQ(deliver(events), 1);
    EXPECT_EQ(effect.queuedEvents(), 249);
    block();
    EXPECT_EQ(effect.queuedEvents(), 0);
    const std::vector<VstMidiEvent> sent = relayed();
    ASSERT_EQ(sent.size(), 249u);
    EXPECT_EQ(sent.back().deltaFrames, 248) << "the 250th event was dropped";
    // Released slots take events again.
    EXPECT_EQ(deliver(events), 1);
    EXPECT_EQ(effect.queuedEvents(), 249);
}

TEST_F(MidiQueue, HugeListsAndMissingEntriesAreSafe) {
    std::vector<VstMidiEvent> events(100000, midiEvent(1, 0x90, 60, 1));
    EventList list(events);
    VstEvent** pointers = list.list()->events;
    pointers[0] = nullptr;
    EXPECT_EQ(effect.processEvents(list.list()), 1);
    EXPECT_EQ(effect.queuedEvents(), 249);
}

TEST_F(MidiQueue, Controller1SetsNewCycleVolumeFromItsFrame) {
    auto* editor = new RecordingEditor(&effect);
    effect.setParameter(TarvelEffect::kNcvolume, 0.0f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.0f);
    editor->log.clear();
    // A square wave of period 4 replays +1 +1 -1 -1 0 at frames 9 to 13.
    std::vector<float> in(16);
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i] = (i % 4) < 2 ? 1.0f : -1.0f;
    }
    deliver({midiEvent(11, 0xB3, 1, 127)});
    const std::vector<float> out = runBlock(effect, in.data(), 16);
    EXPECT_EQ(out[9], 0.0f);
    EXPECT_EQ(out[10], 0.0f);
    EXPECT_EQ(out[11], -1.0f);
    EXPECT_EQ(out[12], -1.0f);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 1.0f) << "127 gives exactly unity";
    const std::vector<std::string> told = {"setParameter 0 1.000000"};
    EXPECT_EQ(editor->log, told);

    deliver({midiEvent(0, 0xB0, 1, 64)});
    block(1);
    EXPECT_EQ(effect.getParameter(TarvelEffect::kNcvolume), 64.0f * 0.007874016f);
    EXPECT_NEAR(effect.getParameter(TarvelEffect::kNcvolume), 0.503937, 1e-6);
}

TEST_F(MidiQueue, ProgramChangeToProgramZeroSelectsIt) {
    auto* editor = new RecordingEditor(&effect);
    deliver({midiEvent(0, 0xC2, 5, 0)});
    block();
    EXPECT_TRUE(editor->log.empty()) << "program 5 does not exist: only relayed";
    deliver({midiEvent(0, 0xC2, 0, 9)});
    block();
    const std::vector<std::string> told = {"setParameter 0 1.000000", "setParameter 1 1.000000"};
    EXPECT_EQ(editor->log, told);
    const std::vector<VstMidiEvent> sent = relayed();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].midiData[1], 5);
    EXPECT_EQ(static_cast<uint8>(sent[1].midiData[0]), 0xC2);
    EXPECT_EQ(sent[1].midiData[1], 0);
    EXPECT_EQ(sent[1].midiData[2], 0);
}

TEST_F(MidiQueue, EventsBeyondTheBlockComeAtTheRemainder) {
    deliver({midiEvent(600, 0x90, 60, 100)});
    EXPECT_EQ(blockAndFirstRelayFrame(), 88);
    ASSERT_EQ(relayed().size(), 1u);
    EXPECT_EQ(relayed()[0].deltaFrames, 600);
    EXPECT_EQ(effect.queuedEvents(), 0);
}

// Negative deltaFrames, including the value a free slot once meant, are due
// at frame 0 of the next block, relayed once as sent at frame 0.
TEST_F(MidiQueue, NegativeDeltaFramesAreDueAtTheNextBlocksStart) {
    deliver({midiEvent(-99, 0x90, 1, 1), midiEvent(-1, 0x90, 2, 1), midiEvent(3, 0x90, 3, 1),
             midiEvent(-600, 0x90, 4, 1), midiEvent(INT_MIN, 0x90, 5, 1)});
    EXPECT_EQ(effect.queuedEvents(), 5) << "-99 does not mark a slot free";
    EXPECT_EQ(blockAndFirstRelayFrame(), 0);
    EXPECT_EQ(effect.queuedEvents(), 0);
    block();
    const std::vector<VstMidiEvent> sent = relayed();
    ASSERT_EQ(sent.size(), 5u) << "each relayed exactly once";
    const int expectedNotes[] = {1, 2, 4, 5, 3};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(sent[i].midiData[1], expectedNotes[i]);
        EXPECT_EQ(sent[i].deltaFrames, expectedNotes[i] == 3 ? 3 : 0);
    }
}

// An event delivered while a block runs (from inside the host callback) is
// not lost: it comes at the start of the next block.
TEST_F(MidiQueue, EventsAdmittedDuringABlockComeNextBlock) {
    deliver({midiEvent(100, 0x90, 1, 1)});
    host.observeCalls([this](const HostCall& call) {
        if (call.opcode == audioMasterProcessEvents && midiOf(call.events.at(0)).midiData[1] == 1) {
            deliver({midiEvent(5, 0x90, 2, 1)});
        }
    });
    block();
    EXPECT_EQ(effect.queuedEvents(), 1);
    block();
    EXPECT_EQ(effect.queuedEvents(), 0);
    const std::vector<VstMidiEvent> sent = relayed();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].midiData[1], 2);
    EXPECT_EQ(sent[1].deltaFrames, 0);
}

TEST_F(MidiQueue, EmptyBlocksNeitherReleaseNorMoveEvents) {
    deliver({midiEvent(10, 0x90, 60, 1)});
    effect.releaseEvents(0); // before any block: no block length to divide by
    block(0);
    block(-5);
    EXPECT_EQ(effect.queuedEvents(), 1);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(blockAndFirstRelayFrame(), 10);
    EXPECT_EQ(relayed()[0].deltaFrames, 10);
}

} // namespace
