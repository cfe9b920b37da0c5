// The LV2 run allocates nothing: blocks of a tone, noise and a long positive
// stretch, with MIDI in and thru (controller 1, program change, notes),
// control ports changing, and an output port too small for every event.
// allocation_watch.cpp replaces the global operator new and delete, so this
// is a test executable of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "allocation_watch.h"
#include "lv2_test_host.h"
#include "tarvel_lv2.h"

namespace {

TEST(Lv2RunAllocation, RunAllocatesNothing) {
    ASSERT_GE(allocation_watch::mallocHookInstalled, 1);
    TestUridMap urids;
    const LV2_Feature* features[] = {urids.feature(), nullptr};
    tarvel_lv2::HostFeatures host;
    ASSERT_EQ(tarvel_lv2::readHostFeatures(44100.0, features, host), nullptr);
    tarvel_lv2::TarvelLv2 lv2(44100.0, host);
    const tarvel_lv2::AtomTypes types = urids.types();

    constexpr std::uint32_t kFrames = 512;
    std::vector<float> signal(30 * kFrames);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const std::size_t part = i / (5 * kFrames);
        signal[i] = part % 3 == 0   ? static_cast<float>(std::sin(0.0628 * static_cast<double>(i)))
                    : part % 3 == 1 ? static_cast<float>((i * 7919) % 201) / 100.0f - 1.0f
                                    : 0.5f;
    }
    std::vector<float> outLeft(kFrames), outRight(kFrames);
    SequenceBuffer midiIn(4096);
    SequenceBuffer midiOut(4096);
    midiIn.write(types.sequence, types.midiEvent,
                 {{0, {0x90, 60, 100}},
                  {7, {0xB0, 1, 64}},
                  {7, {0xC0, 0}},
                  {100, {0xA0, 60, 20}},
                  {300, {0x80, 60, 0}},
                  {511, {0xF8}}});
    float ncvolume = 1.0f;
    float ipvolume = 1.0f;
    lv2.connect(tarvel_lv2::kNcvolume, &ncvolume);
    lv2.connect(tarvel_lv2::kIpvolume, &ipvolume);
    lv2.connect(tarvel_lv2::kMidiIn, midiIn.sequence());
    lv2.connect(tarvel_lv2::kMidiOut, midiOut.sequence());
    lv2.connect(tarvel_lv2::kOutLeft, outLeft.data());
    lv2.connect(tarvel_lv2::kOutRight, outRight.data());
    lv2.activate();

    std::size_t relayed = 0;
    allocation_watch::watching = true;
    for (std::uint32_t block = 0; block < 30; ++block) {
        lv2.connect(tarvel_lv2::kInLeft, signal.data() + block * kFrames);
        lv2.connect(tarvel_lv2::kInRight, signal.data() + block * kFrames);
        ipvolume = 0.5f + 0.01f * static_cast<float>(block % 4);
        // Every third block the output has room for three events only.
        midiOut.offer(block % 3 == 1 ? 16 + 3 * 24 : 4096);
        lv2.run(kFrames);
        relayed += static_cast<std::size_t>(midiOut.sequence()->atom.size > 8);
    }
    allocation_watch::watching = false;
    EXPECT_EQ(allocation_watch::newCalls.exchange(0), 0);
    EXPECT_EQ(allocation_watch::mallocCalls.exchange(0), 0);
    EXPECT_EQ(relayed, 30u) << "every block relayed its events";
    EXPECT_EQ(midiOut.read(types.midiEvent).size(), 5u) << "all but the system message";
}

} // namespace
