// MIDI between atom sequences and the effect's event records.
#include <gtest/gtest.h>

#include "lv2_test_host.h"

using tarvel_lv2::MidiOutput;
using tarvel_lv2::readMidiEvents;

namespace {

class MidiAtoms : public ::testing::Test {
protected:
    TestUridMap urids;
    tarvel_lv2::AtomTypes types = urids.types();
    SequenceBuffer in{4096};
    tarvel_lv2::MidiInEvent events[8] = {};
};

TEST_F(MidiAtoms, ShortMessagesBecomeEventRecordsAtTheirFrames) {
    in.write(types.sequence, types.midiEvent,
             {{0, {0x90, 60, 100}}, {17, {0xC3, 5}}, {63, {0xF8}}});
    ASSERT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 3);
    EXPECT_EQ(events[0].frame, 0);
    EXPECT_EQ(events[0].bytes[0], 0x90);
    EXPECT_EQ(events[0].bytes[2], 100);
    EXPECT_EQ(events[1].frame, 17);
    EXPECT_EQ(events[1].bytes[0], 0xC3);
    EXPECT_EQ(events[1].bytes[1], 5);
    EXPECT_EQ(events[1].bytes[2], 0) << "a two-byte message leaves the third byte 0";
    EXPECT_EQ(events[2].frame, 63);
}

TEST_F(MidiAtoms, SystemExclusiveAndOtherAtomsAreSkipped) {
    const LV2_URID other = urids.map("https://ostrand.example/test#other");
    in.write(types.sequence, types.midiEvent, {{1, {0xF0, 1, 2, 3, 0xF7}}, {2, {0xB0, 1, 64}}});
    ASSERT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 1);
    EXPECT_EQ(events[0].frame, 2);
    in.write(types.sequence, other, {{3, {0xB0, 1, 64}}});
    EXPECT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 0);
    // Events inside an atom that is not a sequence are none.
    in.write(other, types.midiEvent, {{3, {0xB0, 1, 64}}});
    EXPECT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 0);
}

TEST_F(MidiAtoms, FramesOutsideTheBlockAreBroughtInsideIt) {
    in.write(types.sequence, types.midiEvent,
             {{-5, {0x80, 1, 1}}, {64, {0x80, 2, 2}}, {1LL << 40, {0x80, 3, 3}}});
    ASSERT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 3);
    EXPECT_EQ(events[0].frame, 0);
    EXPECT_EQ(events[1].frame, 63);
    EXPECT_EQ(events[2].frame, 63);
}

TEST_F(MidiAtoms, ReadingStopsAtTheCapacity) {
    std::vector<TimedMidi> many;
    for (int i = 0; i < 20; ++i) {
        many.push_back({i, {0x90, static_cast<std::uint8_t>(i), 1}});
    }
    in.write(types.sequence, types.midiEvent, many);
    ASSERT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 8);
    EXPECT_EQ(events[7].bytes[1], 7);
}

TEST_F(MidiAtoms, MessageSizesFollowTheStatusByte) {
    EXPECT_EQ(tarvel_lv2::midiMessageSize(0xC0), 2u);
    EXPECT_EQ(tarvel_lv2::midiMessageSize(0xDF), 2u);
    for (int status : {0x80, 0x9F, 0xA0, 0xB0, 0xE5}) {
        EXPECT_EQ(tarvel_lv2::midiMessageSize(static_cast<std::uint8_t>(status)), 3u) << status;
    }
}

TEST_F(MidiAtoms, OutputEventsKeepTheirFramesInOrderInsideTheBlock) {
    SequenceBuffer out(4096);
    out.offer(4096);
    MidiOutput output;
    output.begin(out.sequence(), types, 32);
    const std::uint8_t note[3] = {0x90, 60, 1};
    EXPECT_TRUE(output.append(3, note, 3));
    EXPECT_TRUE(output.append(1, note, 3)); // never before the one already there
    EXPECT_TRUE(output.append(40, note, 2));
    EXPECT_EQ(out.sequence()->atom.type, types.sequence);
    const std::vector<TimedMidi> expected = {
        {3, {0x90, 60, 1}}, {3, {0x90, 60, 1}}, {31, {0x90, 60}}};
    EXPECT_EQ(out.read(types.midiEvent), expected);
}

TEST_F(MidiAtoms, OutputDropsWhatDoesNotFitAndNeverWritesPastTheCapacity) {
    // Room for the atom and sequence headers and two 24-byte events.
    constexpr std::uint32_t kCapacity = 16 + 2 * 24;
    SequenceBuffer out(4096);
    const std::uint64_t guard = 0x5A5A5A5A5A5A5A5Aull;
    auto* words = reinterpret_cast<std::uint64_t*>(out.sequence());
    for (std::size_t i = kCapacity / 8; i < 64; ++i) {
        words[i] = guard;
    }
    out.offer(kCapacity);
    MidiOutput output;
    output.begin(out.sequence(), types, 16);
    const std::uint8_t bytes[3] = {0xB0, 1, 2};
    EXPECT_TRUE(output.append(0, bytes, 3));
    EXPECT_TRUE(output.append(1, bytes, 3));
    EXPECT_FALSE(output.append(2, bytes, 3));
    EXPECT_EQ(output.dropped(), 1);
    EXPECT_EQ(out.read(types.midiEvent).size(), 2u);
    for (std::size_t i = kCapacity / 8; i < 64; ++i) {
        EXPECT_EQ(words[i], guard) << "word " << i;
    }
}

TEST_F(MidiAtoms, AnOutputTooSmallForASequenceStaysEmpty) {
    SequenceBuffer out(64);
    out.offer(12);
    MidiOutput output;
    output.begin(out.sequence(), types, 16);
    const std::uint8_t bytes[3] = {0xB0, 1, 2};
    EXPECT_FALSE(output.append(0, bytes, 3));
    EXPECT_EQ(out.sequence()->atom.size, 0u);
    EXPECT_EQ(output.dropped(), 1);
}

// A host may place the sequence 4 bytes off an 8-byte boundary (Debian's
// jalv does): events are read and written there all the same, without a
// misaligned access (which the sanitizers of the native build would stop).
TEST_F(MidiAtoms, SequencesOffTheirAlignmentAreReadAndWritten) {
    SequenceBuffer shiftedIn(4096, 4);
    shiftedIn.write(types.sequence, types.midiEvent, {{5, {0x90, 60, 100}}, {9, {0x80, 60, 0}}});
    ASSERT_EQ(readMidiEvents(*shiftedIn.sequence(), types, 64, events, 8), 2);
    EXPECT_EQ(events[0].frame, 5);
    EXPECT_EQ(events[1].frame, 9);
    EXPECT_EQ(events[1].bytes[0], 0x80);

    SequenceBuffer shiftedOut(4096, 4);
    shiftedOut.offer(4096);
    MidiOutput output;
    output.begin(shiftedOut.sequence(), types, 32);
    const std::uint8_t note[3] = {0x90, 61, 1};
    EXPECT_TRUE(output.append(7, note, 3));
    const std::vector<TimedMidi> expected = {{7, {0x90, 61, 1}}};
    EXPECT_EQ(shiftedOut.read(types.midiEvent), expected);
}

// An event whose stated size runs past the sequence's end is not read.
TEST_F(MidiAtoms, AnEventCutOffByTheSequencesSizeIsNotRead) {
    in.write(types.sequence, types.midiEvent, {{1, {0x90, 60, 100}}, {2, {0x80, 60, 0}}});
    in.sequence()->atom.size -= 8;
    EXPECT_EQ(readMidiEvents(*in.sequence(), types, 64, events, 8), 1);
}

} // namespace
