// One LV2 instance driven as hosts drive it: with and without MIDI ports and
// the URID map, controller 1 against the host's control port, MIDI thru at
// its frames, refusals at instantiation, and the same sound as the effect
// under its VST 2.x binding.
#include <gtest/gtest.h>

#include <lv2/log/log.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "effect/tarvel_effect.h"
#include "lv2_test_host.h"
#include "tarvel_lv2.h"

using tarvel_lv2::HostFeatures;
using tarvel_lv2::TarvelLv2;

namespace {

// Sampled half a sample off its zeros: upward crossings every `period` frames.
std::vector<float> sineWave(int frames, int period) {
    std::vector<float> wave(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        wave[static_cast<std::size_t>(i)] =
            static_cast<float>(std::sin(2.0 * M_PI * (i + 0.5) / period));
    }
    return wave;
}

// The effect as the VST 2.x binding runs it: processReplacing in blocks of
// `block` frames, with the gains set first.
std::vector<float> effectOutput(const std::vector<float>& in, float ncvolume, float ipvolume,
                                int block) {
    TarvelEffect effect(nullptr);
    effect.setParameter(0, ncvolume);
    effect.setParameter(1, ipvolume);
    std::vector<float> left(in.size());
    std::vector<float> right(in.size());
    for (std::size_t start = 0; start < in.size(); start += static_cast<std::size_t>(block)) {
        const int frames = static_cast<int>(std::min<std::size_t>(block, in.size() - start));
        float* inputs[2] = {const_cast<float*>(in.data() + start),
                            const_cast<float*>(in.data() + start)};
        float* outputs[2] = {left.data() + start, right.data() + start};
        effect.processReplacing(inputs, outputs, frames);
    }
    return left;
}

// A host with buffers for every port; MIDI ports and the map only when asked.
class Lv2Host {
public:
    explicit Lv2Host(bool withMap) {
        if (withMap) {
            features = {urids.feature(), nullptr};
        }
        EXPECT_EQ(tarvel_lv2::readHostFeatures(48000.0, features.data(), host), nullptr);
        instance = std::make_unique<TarvelLv2>(48000.0, host);
        instance->connect(tarvel_lv2::kNcvolume, &ncvolume);
        instance->connect(tarvel_lv2::kIpvolume, &ipvolume);
    }

    void connectMidi() {
        instance->connect(tarvel_lv2::kMidiIn, midiIn.sequence());
        instance->connect(tarvel_lv2::kMidiOut, midiOut.sequence());
    }

    // One block of `in`; the left output comes back.
    std::vector<float> run(const std::vector<float>& in, const std::vector<TimedMidi>& midi = {}) {
        const tarvel_lv2::AtomTypes types = urids.types();
        midiIn.write(types.sequence, types.midiEvent, midi);
        midiOut.offer(outCapacity);
        std::vector<float> left(in.size());
        std::vector<float> right(in.size());
        instance->connect(tarvel_lv2::kInLeft, const_cast<float*>(in.data()));
        instance->connect(tarvel_lv2::kInRight, const_cast<float*>(in.data()));
        instance->connect(tarvel_lv2::kOutLeft, left.data());
        instance->connect(tarvel_lv2::kOutRight, right.data());
        instance->run(static_cast<std::uint32_t>(in.size()));
        EXPECT_EQ(left, right);
        return left;
    }

    std::vector<TimedMidi> relayed() { return midiOut.read(urids.types().midiEvent); }

    TestUridMap urids;
    HostFeatures host;
    std::unique_ptr<TarvelLv2> instance;
    float ncvolume = 1.0f;
    float ipvolume = 1.0f;
    SequenceBuffer midiIn{1 << 16};
    SequenceBuffer midiOut{1 << 16};
    std::uint32_t outCapacity = 1 << 16;

private:
    std::vector<const LV2_Feature*> features = {nullptr};
};

TEST(Lv2Sound, EqualsTheEffectRunAsAVstPluginWhateverTheBlockLengths) {
    const std::vector<float> in = sineWave(4000, 37);
    const std::vector<float> expected = effectOutput(in, 0.7f, 0.3f, 512);
    for (int block : {4000, 1, 97}) {
        Lv2Host lv2(true);
        lv2.connectMidi();
        lv2.ncvolume = 0.7f;
        lv2.ipvolume = 0.3f;
        lv2.instance->activate();
        std::vector<float> out;
        for (std::size_t start = 0; start < in.size(); start += static_cast<std::size_t>(block)) {
            const auto end = std::min(in.size(), start + static_cast<std::size_t>(block));
            const std::vector<float> part = lv2.run(std::vector<float>(
                in.begin() + static_cast<long>(start), in.begin() + static_cast<long>(end)));
            out.insert(out.end(), part.begin(), part.end());
        }
        EXPECT_EQ(out, expected) << "blocks of " << block;
    }
}

TEST(Lv2Sound, OutputsMayShareTheInputBuffer) {
    const std::vector<float> in = sineWave(2048, 5);
    const std::vector<float> expected = effectOutput(in, 1.0f, 0.5f, 2048);
    Lv2Host lv2(true);
    lv2.ipvolume = 0.5f;
    lv2.instance->activate();
    std::vector<float> shared = in;
    std::vector<float> right(in.size());
    lv2.instance->connect(tarvel_lv2::kInLeft, shared.data());
    lv2.instance->connect(tarvel_lv2::kInRight, right.data());
    lv2.instance->connect(tarvel_lv2::kOutLeft, shared.data());
    lv2.instance->connect(tarvel_lv2::kOutRight, right.data());
    lv2.instance->run(2048);
    EXPECT_EQ(shared, expected);
    EXPECT_EQ(right, expected);
}

// Offline tools connect no MIDI port and give no URID map.
TEST(Lv2MidiPorts, UnconnectedOrWithoutAMapTheyAreLeftAloneAndSoundIsTheSame) {
    const std::vector<float> in = sineWave(3000, 50);
    const std::vector<float> expected = effectOutput(in, 1.0f, 1.0f, 3000);
    Lv2Host unconnected(true);
    unconnected.instance->activate();
    EXPECT_EQ(unconnected.run(in), expected);

    Lv2Host withoutMap(false);
    withoutMap.connectMidi();
    withoutMap.instance->activate();
    const std::vector<std::uint64_t> before(
        reinterpret_cast<std::uint64_t*>(withoutMap.midiOut.sequence()),
        reinterpret_cast<std::uint64_t*>(withoutMap.midiOut.sequence()) + 64);
    EXPECT_EQ(withoutMap.run(in, {{10, {0xB0, 1, 0}}}), expected)
        << "without a map the MIDI input is not read";
    withoutMap.midiOut.offer(withoutMap.outCapacity);
    EXPECT_EQ(withoutMap.midiOut.sequence()->atom.size, withoutMap.outCapacity)
        << "without a map the output port is not written";
}

TEST(Lv2MidiPorts, EveryEventIsRelayedAtItsFrameWithItsOwnLength) {
    Lv2Host lv2(true);
    lv2.connectMidi();
    lv2.instance->activate();
    const std::vector<TimedMidi> sent = {{0, {0x90, 60, 100}},
                                         {5, {0xC0, 3}},
                                         {5, {0xE1, 0, 64}},
                                         {200, {0x80, 60, 0}},
                                         {255, {0xD2, 9}}};
    lv2.run(std::vector<float>(256, 0.25f), sent);
    EXPECT_EQ(lv2.relayed(), sent);
    // The next block starts an empty sequence.
    lv2.run(std::vector<float>(256, 0.25f));
    EXPECT_TRUE(lv2.relayed().empty());
}

TEST(Lv2MidiPorts, AFullOutputDropsTheLaterEventsAndStaysAValidSequence) {
    Lv2Host lv2(true);
    lv2.connectMidi();
    lv2.outCapacity = 16 + 3 * 24; // headers and three events
    lv2.instance->activate();
    std::vector<TimedMidi> sent;
    for (int i = 0; i < 10; ++i) {
        sent.push_back({i, {0x90, static_cast<std::uint8_t>(60 + i), 1}});
    }
    lv2.run(std::vector<float>(64, 0.0f), sent);
    EXPECT_EQ(lv2.relayed(), std::vector<TimedMidi>(sent.begin(), sent.begin() + 3));
}

// Controller 1 sets ncvolume at its frame; the host's port value, repeated
// block after block, does not undo it; a new port value wins again.
TEST(Lv2Controls, ControllerOneHoldsUntilTheHostChangesItsPort) {
    Lv2Host lv2(true);
    lv2.connectMidi();
    lv2.instance->activate();
    lv2.ncvolume = 0.8f;
    lv2.run(std::vector<float>(16, 0.0f));
    EXPECT_EQ(lv2.instance->gain(0), 0.8f);

    lv2.run(std::vector<float>(16, 0.0f), {{4, {0xB0, 1, 127}}});
    EXPECT_EQ(lv2.instance->gain(0), 1.0f);
    lv2.run(std::vector<float>(16, 0.0f));
    lv2.run(std::vector<float>(16, 0.0f));
    EXPECT_EQ(lv2.instance->gain(0), 1.0f) << "an unchanged port must not win";

    lv2.ncvolume = 0.25f;
    lv2.run(std::vector<float>(16, 0.0f));
    EXPECT_EQ(lv2.instance->gain(0), 0.25f);
    // Within one block the port's change acts at frame 0, the controller at its frame.
    lv2.ncvolume = 0.5f;
    lv2.run(std::vector<float>(16, 0.0f), {{8, {0xB0, 1, 0}}});
    EXPECT_EQ(lv2.instance->gain(0), 0.0f);
}

TEST(Lv2Controls, ControllerOneChangesTheSoundFromItsFrame) {
    const std::vector<float> in = sineWave(2000, 40);
    Lv2Host lv2(true);
    lv2.connectMidi();
    lv2.instance->activate();
    const std::vector<float> out = lv2.run(in, {{1000, {0xB0, 1, 0}}});
    // From frame 1000 on the replayed cycle is silent: the output is the input.
    const std::vector<float> before = effectOutput(in, 1.0f, 1.0f, 2000);
    for (std::size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(out[i], i < 1000 ? before[i] : in[i]) << "frame " << i;
    }
}

TEST(Lv2Controls, PortValuesOutsideTheRangeAreBroughtInsideAndNotANumberIsIgnored) {
    Lv2Host lv2(true);
    lv2.instance->activate();
    lv2.ncvolume = 3.0f;
    lv2.ipvolume = -1.0f;
    lv2.run(std::vector<float>(8, 0.0f));
    EXPECT_EQ(lv2.instance->gain(0), 1.0f);
    EXPECT_EQ(lv2.instance->gain(1), 0.0f);
    lv2.ipvolume = std::nanf("");
    lv2.run(std::vector<float>(8, 0.0f));
    EXPECT_EQ(lv2.instance->gain(1), 0.0f);
}

// After deactivate and activate nothing of the earlier run carries over: a
// half-recorded cycle is gone, and the ports' values reach the new effect.
TEST(Lv2Lifecycle, ReactivationStartsFromAFreshEffect) {
    const std::vector<float> in = sineWave(600, 100);
    Lv2Host lv2(true);
    lv2.ipvolume = 0.5f;
    lv2.instance->activate();
    lv2.run(std::vector<float>(in.begin(), in.begin() + 150)); // recording under way
    lv2.instance->deactivate();
    lv2.instance->activate();
    EXPECT_EQ(lv2.run(in), effectOutput(in, 1.0f, 0.5f, 600));
}

// A log that keeps what it is given, to read a refusal's reason.
struct CapturingLog {
    static int print(LV2_Log_Handle handle, LV2_URID /*type*/, const char* format, ...) {
        char text[256];
        va_list args;
        va_start(args, format);
        const int length = std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        static_cast<CapturingLog*>(handle)->lines += text;
        return length;
    }
    static int vprint(LV2_Log_Handle handle, LV2_URID /*type*/, const char* format, va_list args) {
        char text[256];
        const int length = std::vsnprintf(text, sizeof text, format, args);
        static_cast<CapturingLog*>(handle)->lines += text;
        return length;
    }
    std::string lines;
};

TEST(Lv2Instantiate, RefusesRatesThatAreNoRateAndMapsWithoutAMapNamingTheReason) {
    TestUridMap urids;
    const LV2_Feature* features[] = {urids.feature(), nullptr};
    HostFeatures host;
    for (double rate : {0.0, -44100.0, std::nan(""), 1e300, HUGE_VAL}) {
        const char* reason = tarvel_lv2::readHostFeatures(rate, features, host);
        ASSERT_NE(reason, nullptr) << rate;
        EXPECT_NE(std::string(reason).find("sample rate"), std::string::npos) << reason;
    }
    EXPECT_EQ(tarvel_lv2::readHostFeatures(1.0, features, host), nullptr);
    EXPECT_EQ(tarvel_lv2::readHostFeatures(192000.0, nullptr, host), nullptr)
        << "no feature at all is served";
    EXPECT_EQ(host.map, nullptr);

    LV2_Feature emptyMap = {LV2_URID__map, nullptr};
    const LV2_Feature* broken[] = {&emptyMap, nullptr};
    const char* reason = tarvel_lv2::readHostFeatures(44100.0, broken, host);
    ASSERT_NE(reason, nullptr);
    EXPECT_NE(std::string(reason).find("urid:map"), std::string::npos) << reason;
}

TEST(Lv2Instantiate, TheReasonGoesToTheHostsLog) {
    TestUridMap urids;
    CapturingLog captured;
    LV2_Log_Log log = {&captured, &CapturingLog::print, &CapturingLog::vprint};
    LV2_Feature logFeature = {LV2_LOG__log, &log};
    const LV2_Feature* features[] = {urids.feature(), &logFeature, nullptr};
    HostFeatures host;
    const char* reason = tarvel_lv2::readHostFeatures(0.0, features, host);
    ASSERT_NE(reason, nullptr);
    tarvel_lv2::logLine(host, true, reason);
    EXPECT_EQ(captured.lines, std::string("tarvel: ") + reason + "\n");
}

} // namespace
