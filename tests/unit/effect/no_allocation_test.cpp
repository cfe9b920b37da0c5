// The audio thread's calls allocate nothing: processEvents, process and
// processReplacing, driven through the effect record as a host drives them,
// with every phase of the capture, every kind of event and events relayed
// from inside the blocks. allocation_watch.cpp replaces the global operator
// new and delete and watches malloc, so this is a test executable of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "allocation_watch.h"
#include "effect_test_support.h"
#include "harness/plugin_host.h"

using allocation_watch::mallocCalls;
using allocation_watch::mallocHookInstalled;
using allocation_watch::newCalls;
using allocation_watch::watching;

namespace {

TEST(NoAllocation, TheCountersSeeAllocations) {
    ASSERT_GE(mallocHookInstalled, 1);
    void* (*volatile mallocCall)(std::size_t) = std::malloc;
    watching = true;
    void* viaNew = ::operator new(16);
    void* viaMalloc = mallocCall(16);
    watching = false;
    ::operator delete(viaNew);
    std::free(viaMalloc);
    EXPECT_EQ(newCalls.exchange(0), 1);
    EXPECT_GE(mallocCalls.exchange(0), 2) << "operator new's malloc and the direct one";
}

TEST(NoAllocation, AudioThreadCallsAllocateNothing) {
    // A host that allocates nothing either: it only counts the calls.
    HostSettings settings;
    settings.recordCalls = false;
    PluginHost host(settings);
    TarvelEffect effect(PluginHost::callback());
    AEffect* record = effect.getAeffect();
    host.attach(record);
    constexpr int32 kFrames = 512;
    // A tone, noise and a long positive stretch in turn, so that blocks wait,
    // record, fill the cycle buffer, play and step through short cycles.
    std::vector<float> signal(40 * kFrames);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const std::size_t part = i / (8 * kFrames);
        signal[i] = part % 3 == 0   ? static_cast<float>(std::sin(0.0628 * static_cast<double>(i)))
                    : part % 3 == 1 ? static_cast<float>((i * 7919) % 201) / 100.0f - 1.0f
                                    : 0.5f;
    }
    std::vector<float> outLeft(kFrames), outRight(kFrames);
    std::vector<VstMidiEvent> events = {
        midiEvent(0, 0x90, 60, 100), midiEvent(7, 0xB0, 1, 64),    midiEvent(7, 0xC0, 0, 0),
        midiEvent(300, 0x80, 60, 0), midiEvent(900, 0xE0, 0, 64),  midiEvent(-5, 0xD0, 10, 0),
        midiEvent(511, 0xF8, 0, 0),  midiEvent(100, 0xA0, 60, 20), midiEvent(40, 0xB0, 1, 127)};
    EventList list(events);
    float* outputs[] = {outLeft.data(), outRight.data()};

    watching = true;
    for (int32 block = 0; block < 40; ++block) {
        float* inputs[] = {signal.data() + block * kFrames, nullptr};
        record->dispatcher(record, effProcessEvents, 0, 0, list.list(), 0.0f);
        record->setParameter(record, TarvelEffect::kIpvolume,
                             0.5f + 0.01f * static_cast<float>(block));
        if (block % 2 == 0) {
            record->processReplacing(record, inputs, outputs, kFrames);
        } else {
            record->process(record, inputs, outputs, kFrames);
        }
    }
    watching = false;
    EXPECT_EQ(newCalls.exchange(0), 0);
    EXPECT_EQ(mallocCalls.exchange(0), 0);
    EXPECT_EQ(host.answered(audioMasterProcessEvents), 40 * 8)
        << "every event but the system message was relayed";
}

} // namespace
