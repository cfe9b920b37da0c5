// Drives one plug-in instance's audio path as a careless host would: random
// event lists (non-MIDI types, nonsense sizes and deltaFrames) through
// effProcessEvents, blocks of 0 to 4096 frames (and negative counts) of
// signals with not-a-number, infinite and denormal samples through both
// process calls, interleaved with parameter and program changes.
//
// Checked throughout: both outputs always carry the same samples, counts of
// 0 or less leave the buffers alone, every relayed message is one MIDI
// channel message, no more is relayed than was sent, the queue never holds
// more than its 249 slots and is empty after every block, parameters hold
// what was set (or, for
// "ncvolume", what controller 1 set), and while every input and gain has
// been ordinary the output stays finite and bounded.
#include <algorithm>
#include <array>
#include <cmath>

#include "effect/tarvel_effect.h"
#include "fuzz_signal.h"
#include "fuzz_support.h"
#include "harness/plugin_host.h"
#include "host/module.h"
#include "host/vst_opcodes.h"

namespace {

constexpr int32 kMaxBlock = 4096;
constexpr int32 kQueueCapacity = 249;
bool ordinaryGain(float value) {
    return value >= 0.0f && value <= 1.0f;
}

class AudioSession {
public:
    explicit AudioSession(FuzzedDataProvider& data) {
        FUZZ_CHECK(host.load(&tarvelMain));
        record = host.effect();
        reenter = data.ConsumeIntegralInRange(0, 7) == 0;
        reentryValue = hostileFloat(data);
        effect = static_cast<TarvelEffect*>(static_cast<AudioEffect*>(record->object));
        host.observeCalls([this](const HostCall& call) { checkRelay(call); });
        record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
    }

    void sendEvents(FuzzedDataProvider& data) {
        events.fill(data, lastBlock > 0 ? lastBlock : 512);
        midiSent += events.midiCount;
        FUZZ_CHECK(record->dispatcher(record, effProcessEvents, 0, 0, events.list(), 0.0f) == 1);
        FUZZ_CHECK(effect->queuedEvents() >= 0 && effect->queuedEvents() <= kQueueCapacity);
        midiPending = true;
    }

    void processBlock(FuzzedDataProvider& data, bool replacing) {
        int32 frames;
        if (data.ConsumeIntegralInRange(0, 15) != 0) {
            frames = data.ConsumeIntegralInRange(0, kMaxBlock);
        } else {
            frames = data.PickValueInArray<int32>(
                {-1, -64, -4096, std::numeric_limits<int32>::min(), hostileInt(data)});
            frames = std::min(frames, kMaxBlock);
        }
        // Buffers of the count's size; a count of 0 or less gets a small
        // block that must come back untouched.
        const std::size_t size = static_cast<std::size_t>(frames > 0 ? frames : 64);
        std::vector<float> left(size), right(size);
        // A pre-filled output shows whether process adds and whether counts
        // of 0 or less leave the buffers alone.
        const float prefill = replacing ? -7.0f : 0.25f;
        std::vector<float> outLeft(size, prefill), outRight(size, prefill);
        const bool ordinaryInput = signal.make(data, left, static_cast<int32>(size));
        for (float& x : right) {
            x = hostileFloat(data);
        }
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        reentered = false;
        if (replacing) {
            record->processReplacing(record, inputs, outputs, frames);
        } else {
            record->process(record, inputs, outputs, frames);
        }
        if (reentered) {
            expected[TarvelEffect::kIpvolume] = reentryValue;
            ordinary = ordinary && ordinaryGain(reentryValue);
        }

        FUZZ_CHECK(std::memcmp(outLeft.data(), outRight.data(), size * sizeof(float)) == 0);
        if (frames <= 0) {
            FUZZ_CHECK(std::all_of(outLeft.begin(), outLeft.end(),
                                   [&](float y) { return sameBits(y, prefill); }));
            return;
        }
        lastBlock = frames;
        ordinary = ordinary && ordinaryInput;
        if (ordinary) {
            // Live input and one replayed sample, each at most 1 in size.
            const float bound = 2.0f + (replacing ? 0.0f : prefill);
            FUZZ_CHECK(std::all_of(outLeft.begin(), outLeft.end(),
                                   [&](float y) { return std::fabs(y) <= bound; }));
        }
        // Every queued event comes due in the first block processed after
        // it arrived (one with a negative deltaFrames at its frame 0).
        FUZZ_CHECK(effect->queuedEvents() == 0);
        checkParameters();
        midiPending = false;
    }

    void setParameter(FuzzedDataProvider& data) {
        const int32 index =
            data.ConsumeBool() ? data.ConsumeIntegralInRange(-1, 2) : hostileInt(data);
        const float value =
            data.ConsumeBool() ? data.ConsumeProbability<float>() : hostileFloat(data);
        record->setParameter(record, index, value);
        if (index == 0 || index == 1) {
            expected[static_cast<std::size_t>(index)] = value;
            ordinary = ordinary && ordinaryGain(value);
        }
        checkParameters();
    }

    void setProgram(FuzzedDataProvider& data) {
        const VstWord program = data.PickValueInArray<VstWord>({0, -1, 1, hostileInt(data)});
        record->dispatcher(record, effSetProgram, 0, program, nullptr, 0.0f);
        FUZZ_CHECK(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f) == 0);
        checkParameters();
    }

    void hostSettings(FuzzedDataProvider& data) {
        switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0:
            record->dispatcher(record, effMainsChanged, 0, data.ConsumeBool() ? 0 : 1, nullptr,
                               0.0f);
            break;
        case 1:
            record->dispatcher(record, effSetBlockSize, 0, hostileInt(data), nullptr, 0.0f);
            break;
        case 2:
            record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, hostileFloat(data));
            break;
        default:
            record->dispatcher(record, effSetBlockSizeAndSampleRate, 0, hostileInt(data), nullptr,
                               hostileFloat(data));
            break;
        }
        checkParameters();
    }

private:
    // What the host checks of every call the plug-in makes of it.
    void checkRelay(const HostCall& call) {
        if (call.opcode != audioMasterProcessEvents) {
            return;
        }
        FUZZ_CHECK(!call.fromNullEffect);
        const VstMidiEvent event = onlyRelayedEvent(call);
        FUZZ_CHECK(event.type == kVstMidiType);
        const int status = static_cast<std::uint8_t>(event.midiData[0]);
        FUZZ_CHECK(status >= 0x80 && status < 0xF0);
        FUZZ_CHECK((event.midiData[1] & 0x80) == 0 && (event.midiData[2] & 0x80) == 0);
        FUZZ_CHECK(event.deltaFrames >= 0);
        ++relayed;
        FUZZ_CHECK(relayed <= midiSent);
        // A careless host may change a parameter from inside the relay callback.
        if (reenter) {
            record->setParameter(record, TarvelEffect::kIpvolume, reentryValue);
            reentered = true;
        }
    }

    // "ipvolume" holds what was last set; "ncvolume" too, unless a block has
    // released events since, in which case controller 1 may have set it.
    void checkParameters() {
        FUZZ_CHECK(sameBits(record->getParameter(record, TarvelEffect::kIpvolume),
                            expected[TarvelEffect::kIpvolume]));
        const float ncvolume = record->getParameter(record, TarvelEffect::kNcvolume);
        if (!sameBits(ncvolume, expected[TarvelEffect::kNcvolume])) {
            FUZZ_CHECK(midiPending && controllerValue(ncvolume));
            expected[TarvelEffect::kNcvolume] = ncvolume;
        }
    }

    PluginHost host;
    AEffect* record = nullptr;
    TarvelEffect* effect = nullptr;
    long long midiSent = 0;
    long long relayed = 0;
    bool reenter = false;
    float reentryValue = 0.5f;
    bool reentered = false;
    HostileEventList events;
    SignalMaker signal;
    std::array<float, 2> expected{1.0f, 1.0f};
    // Events have arrived that no block has released yet.
    bool midiPending = false;
    bool ordinary = true;
    int32 lastBlock = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    AudioSession session(data);
    for (int step = 0; step < 64 && data.remaining_bytes() > 0; ++step) {
        switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
        case 1:
            session.sendEvents(data);
            break;
        case 2:
            session.processBlock(data, true);
            break;
        case 3:
            session.processBlock(data, false);
            break;
        case 4:
            session.setParameter(data);
            break;
        case 5:
            session.setProgram(data);
            break;
        default:
            session.hostSettings(data);
            break;
        }
    }
    return 0;
}
