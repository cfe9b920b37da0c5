// What the hostile-host tests share: a plug-in instance opened through the
// real entry point, the values a careless host hands over, and the check that
// an instance which has been through abuse still works: it processes a sine
// exactly as a fresh instance does and relays MIDI.
//
// The entry point is the program's choice (entryUnderTest): the plug-in
// linked in, or the native library loaded as a host loads it. The library
// holds the same effect code, so the few checks that read the effect's
// queue read it there just the same.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "effect/effect_test_support.h"
#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"

namespace hostile {

// The entry point every instance of these tests is created through; each
// test program defines it.
PluginEntry entryUnderTest();

// The window system the editor opens in, as the program's host has it; each
// test program defines these for the plug-in it tests. A window of the
// host's to be the editor's parent (as the host passes it; null when there
// is no window system to open one in), the events handled between calls,
// and what the plug-in holds in the window system (its windows, drawing
// objects, connections, files, mistakes noticed), in words: the same after
// every close as before the first open.
void* createEditorParent();
void destroyEditorParent(void* parent);
void handleEditorEvents();
std::string editorHoldings();

// Whether the plug-in under test has an editor (its record's flag).
inline bool hasEditor(const AEffect* record) {
    return (record->flags & effFlagsHasEditor) != 0;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int32 kIntMin = std::numeric_limits<int32>::min();
constexpr int32 kIntMax = std::numeric_limits<int32>::max();

constexpr float kHostileFloats[] = {0.0f,
                                    -0.0f,
                                    -1.0f,
                                    1.5f,
                                    kNaN,
                                    -kNaN,
                                    kInf,
                                    -kInf,
                                    std::numeric_limits<float>::denorm_min(),
                                    std::numeric_limits<float>::max(),
                                    std::numeric_limits<float>::lowest()};
constexpr int32 kHostileInts[] = {0, -1, 1, 2, 99, kIntMin, kIntMax, 1 << 20, -(1 << 20)};

// Bit-for-bit equality: not-a-number equals the same not-a-number.
inline bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool sameSamples(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// One instance opened through the entry point as a host opens it, with the
// harness's host answering and recording its calls; closed through effClose
// unless a test closed it already.
class Plugin {
public:
    Plugin() { reopen(); }

    VstWord dispatch(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
        const VstWord answer = host.dispatch(opcode, index, value, ptr, opt);
        record = host.effect();
        return answer;
    }
    // Opens a new instance in place of one the test closed.
    void reopen() {
        if (!host.isLoaded()) {
            host.load(entryUnderTest());
            record = host.effect();
        }
    }
    TarvelEffect& effect() {
        return *static_cast<TarvelEffect*>(static_cast<AudioEffect*>(record->object));
    }

    PluginHost host;
    AEffect* record = nullptr;
};

inline std::vector<float> sine(std::size_t frames, double period) {
    std::vector<float> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[i] =
            static_cast<float>(0.8 * std::sin(6.283185307179586 * static_cast<double>(i) / period));
    }
    return samples;
}

// The left input through processReplacing in blocks of `block` frames; the
// right input is silence. Returns the left output and checks that the right
// one equals it.
inline std::vector<float> render(AEffect* record, const std::vector<float>& left, int32 block) {
    std::vector<float> right(left.size(), 0.0f), outLeft(left.size()), outRight(left.size());
    for (std::size_t start = 0; start < left.size(); start += static_cast<std::size_t>(block)) {
        const int32 frames =
            static_cast<int32>(std::min(left.size() - start, static_cast<std::size_t>(block)));
        float* inputs[] = {const_cast<float*>(left.data()) + start, right.data() + start};
        float* outputs[] = {outLeft.data() + start, outRight.data() + start};
        record->processReplacing(record, inputs, outputs, frames);
    }
    EXPECT_TRUE(sameSamples(outLeft, outRight)) << "both outputs carry the same samples";
    return outLeft;
}

// Enough silence to end any capture or playback in progress: the longest
// recording, its playback, and a frame to spare.
constexpr std::size_t kSettleFrames = 2 * TarvelEffect::kCycleCapacity + 1;

// After whatever a test did to it, the instance still holds the parameter
// values a host would expect, turns a sine into exactly what a fresh instance
// with those values makes of it, and relays a note at its frame.
inline void expectStillWorks(Plugin& plugin, float ncvolume = 1.0f, float ipvolume = 1.0f) {
    ASSERT_NE(plugin.record, nullptr);
    AEffect* record = plugin.record;
    EXPECT_EQ(record->magic, kEffectMagic);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->uniqueID, fourCharCode('T', 'v', 'r', 'l'));
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    EXPECT_TRUE(sameBits(record->getParameter(record, TarvelEffect::kNcvolume), ncvolume));
    EXPECT_TRUE(sameBits(record->getParameter(record, TarvelEffect::kIpvolume), ipvolume));
    char name[256] = {};
    EXPECT_EQ(plugin.dispatch(effGetEffectName, 0, 0, name), 1);
    EXPECT_STREQ(name, "Tarvel");

    Plugin fresh;
    fresh.record->setParameter(fresh.record, TarvelEffect::kNcvolume, ncvolume);
    fresh.record->setParameter(fresh.record, TarvelEffect::kIpvolume, ipvolume);
    std::vector<float> input(kSettleFrames, 0.0f);
    const std::vector<float> wave = sine(3000, 100.0);
    input.insert(input.end(), wave.begin(), wave.end());
    // What the silence itself brings out may differ (the end of a cycle
    // captured before); the sine after it must not.
    const std::vector<float> expected = render(fresh.record, input, 256);
    const std::vector<float> actual = render(record, input, 256);
    EXPECT_TRUE(sameSamples(std::vector<float>(actual.begin() + kSettleFrames, actual.end()),
                            std::vector<float>(expected.begin() + kSettleFrames, expected.end())))
        << "the sine comes out as from a fresh instance";

    plugin.host.clearCalls();
    std::vector<VstMidiEvent> note{midiEvent(10, 0x92, 60, 100)};
    EventList list(note);
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, list.list()), 1);
    render(record, sine(64, 100.0), 64);
    const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
    ASSERT_EQ(relayed.size(), 1u) << "the note is relayed once, within its block";
    EXPECT_EQ(static_cast<uint8>(relayed[0].midiData[0]), 0x92);
    EXPECT_EQ(relayed[0].midiData[1], 60);
    EXPECT_EQ(relayed[0].midiData[2], 100);
    EXPECT_EQ(relayed[0].deltaFrames, 10);
    EXPECT_EQ(plugin.effect().queuedEvents(), 0);
}

} // namespace hostile
