// Benchmarks of the effect's block operations, called through the record's
// entry functions as a host calls them, beside the least costly ways of doing
// the same job's memory traffic: copying the input to both outputs, writing
// the input times a gain to both outputs, and adding it times a gain to both.
// Every benchmark walks the same looping input and writes the same two
// output buffers.
//
// Names: <operation>/<signal>/<midi>/<frames>; the counter time_per_frame is
// the CPU time per frame (in seconds, as the library reports rates; the
// report script shows nanoseconds and the ratios to the baselines).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_signals.h"
#include "effect/tarvel_effect.h"
#include "host/vst_opcodes.h"

namespace {

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

void baselineBlocks(benchmark::State& state, Baseline baseline, Signal signal, int32 frames) {
    Buffers& b = buffers();
    const float* in = b.inputs[static_cast<int>(signal)].data();
    int32 position = 0;
    for (auto _ : state) {
        runBaseline(baseline, in + position, b.outLeft.data(), b.outRight.data(), frames);
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
    PluginHost host(benchHostSettings());
    TarvelEffect effect(PluginHost::callback());
    host.attach(effect.getAeffect());
    effect.setParameter(TarvelEffect::kNcvolume, 0.8f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.7f);
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
            for (Baseline baseline : kBaselines) {
                const std::string name = std::string(baselineName(baseline)) + "/" + tail;
                withMinimum(benchmark::RegisterBenchmark(name.c_str(), baselineBlocks, baseline,
                                                         signal, frames));
            }
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
