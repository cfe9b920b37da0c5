#include "bench_cases.h"

#include <cstddef>
#include <cstring>

namespace {

// numEvents and reserved take two pointer-sized words before the pointers.
constexpr std::size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(void*);

} // namespace

const char* midiName(Midi midi) {
    switch (midi) {
    case Midi::none:
        return "none";
    case Midi::perBlock16:
        return "16perBlock";
    case Midi::queued249:
        return "249queued";
    }
    return "?";
}

int32 eventCount(Midi midi) {
    return midi == Midi::perBlock16 ? 16 : midi == Midi::queued249 ? 249 : 0;
}

HostSettings benchHostSettings() {
    HostSettings settings;
    settings.recordCalls = false;
    return settings;
}

BlockEvents::BlockEvents(int32 count, int32 frames)
    : events(static_cast<std::size_t>(count)),
      words(kHeaderWords + static_cast<std::size_t>(count > 2 ? count : 2)) {
    for (int32 k = 0; k < count; ++k) {
        VstMidiEvent& event = events[static_cast<std::size_t>(k)];
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = static_cast<int32>(static_cast<long long>(k) * frames / count);
        const int32 kind = k % 4;
        const int32 status = kind == 0 ? 0x90 : kind == 1 ? 0x80 : kind == 2 ? 0xB0 : 0xD0;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(kind == 2 ? 1 : 60 + k % 12);
        event.midiData[2] = static_cast<char>(kind == 2 ? 100 : 90);
    }
    VstEvents* header = list();
    header->numEvents = count;
    header->reserved = 0;
    for (int32 k = 0; k < count; ++k) {
        header->events[k] = reinterpret_cast<VstEvent*>(&events[static_cast<std::size_t>(k)]);
    }
}

const char* baselineName(Baseline baseline) {
    switch (baseline) {
    case Baseline::copy:
        return "copy";
    case Baseline::gain:
        return "gain";
    case Baseline::addGain:
        return "addGain";
    }
    return "?";
}

void runBaseline(Baseline baseline, const float* in, float* outLeft, float* outRight,
                 int32 frames) {
    constexpr float kGain = 0.7f;
    switch (baseline) {
    case Baseline::copy:
        std::memcpy(outLeft, in, sizeof(float) * static_cast<std::size_t>(frames));
        std::memcpy(outRight, in, sizeof(float) * static_cast<std::size_t>(frames));
        break;
    case Baseline::gain:
        for (int32 i = 0; i < frames; ++i) {
            const float y = in[i] * kGain;
            outLeft[i] = y;
            outRight[i] = y;
        }
        break;
    case Baseline::addGain:
        for (int32 i = 0; i < frames; ++i) {
            const float y = in[i] * kGain;
            outLeft[i] += y;
            outRight[i] += y;
        }
        break;
    }
}
