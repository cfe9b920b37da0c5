// The whole effect without a plug-in format: the cycle machine with its
// gains and the MIDI store, and the block loop that releases the events due
// at a frame before rendering it. A format adapter owns one, hands it blocks
// and events, and hears what it releases through its EffectOutput.
#pragma once

#include "core/cycle_machine.h"
#include "core/midi_store.h"

class EffectCore {
public:
    explicit EffectCore(EffectOutput& output) : midi(output) {}
    EffectCore(const EffectCore&) = delete;
    EffectCore& operator=(const EffectCore&) = delete;

    // One block: `accumulate` adds the result to the outputs instead of
    // writing over them. The outputs may be the input buffer; sampleFrames
    // is at least 1 and every pointer is valid.
    template <bool accumulate>
    void processBlock(const float* left, float* outLeft, float* outRight, int32 sampleFrames);

    CycleMachine cycles;
    MidiStore midi;
};
