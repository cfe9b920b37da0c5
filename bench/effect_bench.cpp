// Benchmarks of the effect's block operations, called through the record's
// entry functions as a host calls them, beside the two least costly ways of
// doing the same job's memory traffic: copying the input to both outputs, and
// writing the input times a gain to both outputs. Every benchmark walks the
// same looping input and writes the same two output buffers.
//
// Names: <operation>/<signal>/<midi>/<frames>; the counter time_per_frame is
// the CPU time per frame (in seconds, as the library reports rates; the
// report script shows nanoseconds and the ratio to the gain baseline).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench_signals.h"
#include "effect/TarvelEffect.h"
#include "host/vst_opcodes.h"

namespace {

constexpr int32 kBlockSizes[] = {32, 64, 512, 4096};

enum class Midi { none, perBlock16, queued249 };
constexpr Midi kMidiLoads[] = {Midi::none, Midi::perBlock16, Midi::queued249};

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

// The host's side of MIDI thru: counts what it is sent, as a host at least
// looks at every list.
volatile int32 relayedLists = 0;

VstWord VSTCALL benchHost(AEffect* /*effect*/, int32 opcode, int32 /*index*/, VstWord /*value*/,
                          void* /*ptr*/, float /*opt*/) {
    if (opcode == audioMasterVersion) {
        return 2400;
    }
    if (opcode == audioMasterProcessEvents) {
        relayedLists = relayedLists + 1;
        return 1;
    }
    return 0;
}

// The events a host delivers before each block: spread evenly over it, in
// frame order, a mix of notes, controller 1 (which sets "ncvolume") and
// channel pressure.
class BlockEvents {
public:
    BlockEvents(int32 count, int32 frames)
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
    VstEvents* list() { return reinterpret_cast<VstEvents*>(words.data()); }

private:
    static constexpr std::size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(void*);
    std::vector<VstMidiEvent> events;
    std::vector<void*> words;
};

// The buffers every benchmark uses: the looping inputs and two outputs the
// size of the largest block.
struct Buffers {
    std::vector<float> inputs[5];
    std::vector<float> right = std::vector<float>(kSignalLength, 0.0f);
    std::vector<float> outLeft = std::vector<float>(4096, 0.0f);
    std::vector<float> outRight = std::vector<float>(4096, 0.0f);
};

Buffers& buffers() {
    static Buffers shared = [] {
        Buffers made;
        for (Signal signal : kSignals) {
            made.inputs[static_cast<int>(signal)] = makeSignal(signal);
        }
        return made;
    }();
    return shared;
}

void reportFrames(benchmark::State& state, int32 frames) {
    state.counters["time_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

__attribute__((noinline)) void copyToBoth(const float* in, float* outLeft, float* outRight,
                                          int32 frames) {
    std::memcpy(outLeft, in, sizeof(float) * static_cast<std::size_t>(frames));
    std::memcpy(outRight, in, sizeof(float) * static_cast<std::size_t>(frames));
}

__attribute__((noinline)) void gainToBoth(const float* in, float* outLeft, float* outRight,
                                          int32 frames, float gain) {
    for (int32 i = 0; i < frames; ++i) {
        const float y = in[i] * gain;
        outLeft[i] = y;
        outRight[i] = y;
    }
}

void copyBaseline(benchmark::State& state, Signal signal, int32 frames) {
    Buffers& b = buffers();
    const float* in = b.inputs[static_cast<int>(signal)].data();
    int32 position = 0;
    for (auto _ : state) {
        copyToBoth(in + position, b.outLeft.data(), b.outRight.data(), frames);
        benchmark::ClobberMemory();
        position = (position + frames) % kSignalLength;
    }
    reportFrames(state, frames);
}

void gainBaseline(benchmark::State& state, Signal signal, int32 frames) {
    Buffers& b = buffers();
    const float* in = b.inputs[static_cast<int>(signal)].data();
    int32 position = 0;
    for (auto _ : state) {
        gainToBoth(in + position, b.outLeft.data(), b.outRight.data(), frames, 0.7f);
        benchmark::ClobberMemory();
        position = (position + frames) % kSignalLength;
    }
    reportFrames(state, frames);
}

// One effect instance per benchmark, fed consecutive blocks of the signal
// (so its capture state runs on as it would in a host), with the MIDI load
// delivered before every block as a host delivers it.
void effectBlocks(benchmark::State& state, bool replacing, Signal signal, Midi midi, int32 frames) {
    Buffers& b = buffers();
    TarvelEffect effect(benchHost);
    effect.setParameter(0, 0.8f);
    effect.setParameter(1, 0.7f);
    AEffect* record = effect.getAeffect();
    const AEffectProcessProc run = replacing ? record->processReplacing : record->process;
    BlockEvents events(eventCount(midi), frames);
    float* in = b.inputs[static_cast<int>(signal)].data();
    float* outputs[] = {b.outLeft.data(), b.outRight.data()};
    int32 position = 0;
    for (auto _ : state) {
        if (midi != Midi::none) {
            record->dispatcher(record, effProcessEvents, 0, 0, events.list(), 0.0f);
        }
        float* inputs[] = {in + position, b.right.data() + position};
        run(record, inputs, outputs, frames);
        benchmark::ClobberMemory();
        position = (position + frames) % kSignalLength;
    }
    reportFrames(state, frames);
}

// Besides mean, median and deviation: the fastest repetition, the one least
// disturbed on a shared machine.
void withMinimum(benchmark::internal::Benchmark* benchmark) {
    benchmark->ComputeStatistics("min", [](const std::vector<double>& values) {
        return *std::min_element(values.begin(), values.end());
    });
}

void registerAll() {
    for (int32 frames : kBlockSizes) {
        for (Signal signal : kSignals) {
            const std::string tail =
                std::string(signalName(signal)) + "/none/" + std::to_string(frames);
            withMinimum(benchmark::RegisterBenchmark(("copy/" + tail).c_str(), copyBaseline, signal,
                                                     frames));
            withMinimum(benchmark::RegisterBenchmark(("gain/" + tail).c_str(), gainBaseline, signal,
                                                     frames));
            for (Midi midi : kMidiLoads) {
                const std::string name = std::string(signalName(signal)) + "/" + midiName(midi) +
                                         "/" + std::to_string(frames);
                withMinimum(benchmark::RegisterBenchmark(("processReplacing/" + name).c_str(),
                                                         effectBlocks, true, signal, midi, frames));
                withMinimum(benchmark::RegisterBenchmark(("process/" + name).c_str(), effectBlocks,
                                                         false, signal, midi, frames));
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
