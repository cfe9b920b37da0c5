// What the fuzz targets share: hostile numbers drawn from the fuzzer's bytes,
// event lists a careless host might send, and a check that stops the run
// with a message when the plug-in breaks a promise.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "harness/host_call.h"
#include "host/vst_types.h"

// A broken promise is a finding like a crash: libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// A relay as the plug-in makes it: a list holding exactly one event, which
// comes back read as MIDI.
inline VstMidiEvent onlyRelayedEvent(const HostCall& call) {
    std::int32_t count = 0;
    FUZZ_CHECK(call.hadPointer && call.listHead.size() >= sizeof count);
    std::memcpy(&count, call.listHead.data(), sizeof count);
    FUZZ_CHECK(count == 1 && call.events.size() == 1);
    return midiOf(call.events[0]);
}

// Floats a host may hand over: the ordinary range, the edges, and values no
// sane host sends (not a number, infinities, denormals, huge and negative).
inline float hostileFloat(FuzzedDataProvider& data) {
    constexpr float kSpecial[] = {
        0.0f,
        -0.0f,
        1.0f,
        0.5f,
        -1.0f,
        2.0f,
        44100.0f,
        std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::denorm_min(),
        -std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::min(),
        std::numeric_limits<float>::max(),
        std::numeric_limits<float>::lowest(),
        1e-30f,
        3e9f,
    };
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return data.PickValueInArray(kSpecial);
    case 1: {
        const std::uint32_t bits = data.ConsumeIntegral<std::uint32_t>();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 2:
        return data.ConsumeFloatingPointInRange(-2.0f, 2.0f);
    default:
        return data.ConsumeProbability<float>();
    }
}

// 32-bit integers: small ones around the valid range, the extremes, anything.
inline int32 hostileInt(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return data.ConsumeIntegralInRange<int32>(-3, 8);
    case 1:
        return data.PickValueInArray<int32>({std::numeric_limits<int32>::min(),
                                             std::numeric_limits<int32>::max(), -99, -1, 1 << 20,
                                             -(1 << 20)});
    default:
        return data.ConsumeIntegral<int32>();
    }
}

// A host's event list over storage it owns: events of any type and size
// field, any deltaFrames, and any MIDI bytes, with an occasional null entry.
class HostileEventList {
public:
    void fill(FuzzedDataProvider& data, int32 blockFrames) {
        const int count = data.ConsumeIntegralInRange(0, 300);
        events.assign(static_cast<std::size_t>(count), VstMidiEvent{});
        pointers.assign(kHeaderWords + static_cast<std::size_t>(count) + 2, nullptr);
        for (VstMidiEvent& event : events) {
            event.type = data.ConsumeBool()
                             ? kVstMidiType
                             : data.PickValueInArray<int32>(
                                   {0, kVstAudioType, kVstVideoType, kVstParameterType,
                                    kVstTriggerType, kVstSysExType, 7, -1, hostileInt(data)});
            event.byteSize =
                data.ConsumeBool() ? static_cast<int32>(sizeof(VstMidiEvent)) : hostileInt(data);
            event.deltaFrames = data.ConsumeBool() && blockFrames > 0
                                    ? data.ConsumeIntegralInRange<int32>(0, blockFrames - 1)
                                    : hostileInt(data);
            event.flags = hostileInt(data);
            event.noteLength = hostileInt(data);
            event.noteOffset = hostileInt(data);
            // Status bytes that act on the effect come up often: controller 1,
            // program changes, note-ons, and system messages.
            const std::uint8_t status = data.ConsumeBool()
                                            ? data.PickValueInArray<std::uint8_t>(
                                                  {0xB0, 0xB5, 0xC0, 0xCF, 0x90, 0x80, 0xF8, 0x00})
                                            : data.ConsumeIntegral<std::uint8_t>();
            event.midiData[0] = static_cast<char>(status);
            event.midiData[1] =
                static_cast<char>(data.ConsumeBool() ? 1 : data.ConsumeIntegral<std::uint8_t>());
            event.midiData[2] = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
            event.midiData[3] = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
            event.detune = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
            event.noteOffVelocity = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
            event.reserved1 = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
            event.reserved2 = static_cast<char>(data.ConsumeIntegral<std::uint8_t>());
        }
        VstEvents* header = list();
        header->numEvents = count;
        header->reserved = 0;
        VstEvent** entries = header->events;
        midiCount = 0;
        for (int i = 0; i < count; ++i) {
            const bool missing = data.ConsumeIntegralInRange(0, 31) == 0;
            entries[i] = missing ? nullptr : reinterpret_cast<VstEvent*>(&events[i]);
            if (!missing && events[i].type == kVstMidiType) {
                ++midiCount;
            }
        }
    }

    VstEvents* list() { return reinterpret_cast<VstEvents*>(pointers.data()); }
    // MIDI events in the list: an upper bound on what the effect can relay.
    int midiCount = 0;
    std::vector<VstMidiEvent> events;

private:
    // numEvents and reserved take two pointer-sized words before the pointers.
    static constexpr std::size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(void*);
    std::vector<void*> pointers;
};

// True when both floats hold the same bits (so NaN equals the same NaN).
inline bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Controller 1 sets "ncvolume" to its value times the float nearest 1/127.
inline bool controllerValue(float value) {
    constexpr float kControllerScale = 0.007874016f;
    if (!(value >= 0.0f && value <= 1.0f)) {
        return false;
    }
    const float step = std::round(value * 127.0f);
    return sameBits(step * kControllerScale, value);
}
