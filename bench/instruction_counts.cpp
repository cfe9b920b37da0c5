// Runs one benchmark case for a fixed number of frames inside
// measuredBlocks, for callgrind to count the instructions it executes there
// (scripts/bench-instructions.sh): a measure that, unlike time, does not
// depend on what else the machine is doing.
//
// Usage: tarvel_instructions <copy|gain|addGain|processReplacing|process> <signal> <midi> <frames>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_cases.h"
#include "bench_signals.h"
#include "effect/tarvel_effect.h"
#include "host/vst_opcodes.h"

namespace {

constexpr int32 kMeasuredFrames = 4 * kSignalLength;

enum class Operation { baseline, processReplacing, process };

float outLeft[4096];
float outRight[4096];
float right[kSignalLength];

__attribute__((noinline)) void measuredBlocks(Operation operation, Baseline baseline,
                                              AEffect* record, float* in, int32 frames,
                                              VstEvents* events) {
    float* outputs[] = {outLeft, outRight};
    int32 position = 0;
    for (int32 done = 0; done < kMeasuredFrames; done += frames) {
        float* inputs[] = {in + position, right + position};
        switch (operation) {
        case Operation::baseline:
            runBaseline(baseline, in + position, outLeft, outRight, frames);
            break;
        case Operation::processReplacing:
        case Operation::process:
            if (events != nullptr) {
                record->dispatcher(record, effProcessEvents, 0, 0, events, 0.0f);
            }
            (operation == Operation::process ? record->process : record->processReplacing)(
                record, inputs, outputs, frames);
            break;
        }
        position = (position + frames) % kSignalLength;
    }
}

template <typename T, std::size_t n>
bool find(const char* name, const T (&all)[n], const char* (*nameOf)(T), T& found) {
    for (T candidate : all) {
        if (std::strcmp(name, nameOf(candidate)) == 0) {
            found = candidate;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    Operation operation = Operation::baseline;
    Baseline baseline = Baseline::copy;
    Signal signal = Signal::silence;
    Midi midi = Midi::none;
    bool known = argc == 5;
    if (known && std::strcmp(argv[1], "processReplacing") == 0) {
        operation = Operation::processReplacing;
    } else if (known && std::strcmp(argv[1], "process") == 0) {
        operation = Operation::process;
    } else {
        known = known && find(argv[1], kBaselines, baselineName, baseline);
    }
    const int32 frames = argc == 5 ? std::atoi(argv[4]) : 0;
    if (!known || !find(argv[2], kSignals, signalName, signal) ||
        !find(argv[3], kMidiLoads, midiName, midi) || frames <= 0 || frames > 4096 ||
        kSignalLength % frames != 0) {
        std::fprintf(stderr,
                     "usage: %s <copy|gain|addGain|processReplacing|process> <signal> <midi> "
                     "<frames dividing %d, at most 4096>\n",
                     argv[0], static_cast<int>(kSignalLength));
        return 2;
    }
    PluginHost host(benchHostSettings());
    TarvelEffect effect(PluginHost::callback());
    host.attach(effect.getAeffect());
    effect.setParameter(TarvelEffect::kNcvolume, 0.8f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.7f);
    BlockEvents events(eventCount(midi), frames);
    std::vector<float> in = makeSignal(signal);
    measuredBlocks(operation, baseline, effect.getAeffect(), in.data(), frames,
                   midi == Midi::none ? nullptr : events.list());
    std::printf("%d\n", static_cast<int>(kMeasuredFrames));
    return 0;
}
