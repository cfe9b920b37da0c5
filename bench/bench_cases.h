// What the benchmarks and the instruction counts share: the MIDI loads, the
// host the effect relays to, and the baselines.
#pragma once

#include <vector>

#include "harness/plugin_host.h"
#include "host/vst_types.h"

constexpr int32 kBlockSizes[] = {32, 64, 512, 4096};

enum class Midi { none, perBlock16, queued249 };
constexpr Midi kMidiLoads[] = {Midi::none, Midi::perBlock16, Midi::queued249};

const char* midiName(Midi midi);
int32 eventCount(Midi midi);

// The host's side of MIDI thru: the harness's host counting the lists it is
// sent, as a host at least looks at every one, and recording nothing, so that
// its share of a timed block stays as small as any host's.
HostSettings benchHostSettings();

// The events a host delivers before each block: spread evenly over it, in
// frame order, a mix of notes, controller 1 (which sets "ncvolume") and
// channel pressure.
class BlockEvents {
public:
    BlockEvents(int32 count, int32 frames);
    VstEvents* list() { return reinterpret_cast<VstEvents*>(words.data()); }

private:
    std::vector<VstMidiEvent> events;
    std::vector<void*> words;
};

// The least any implementation of this job must do: copy the input to both
// outputs, or write it times a gain to both (what processReplacing must at
// least do), or add it times a gain to both (what process must at least do:
// it adds to its outputs, so it reads them as well).
enum class Baseline { copy, gain, addGain };
constexpr Baseline kBaselines[] = {Baseline::copy, Baseline::gain, Baseline::addGain};

const char* baselineName(Baseline baseline);
void runBaseline(Baseline baseline, const float* in, float* outLeft, float* outRight, int32 frames);
