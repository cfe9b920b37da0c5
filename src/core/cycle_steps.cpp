// processSample's steps over a few frames at a time, for the block path
// where cycles are too short for stretches of one phase (a crossing every few
// frames) and between events only a few frames apart.
#include <cstdint>

#include "core/cycle_machine.h"
#include "core/float_bits.h"

// processSample's steps over a few frames, with the gains read once, the
// state in registers and no branch on the signal: with a crossing every few
// frames, branches on it would mostly be mispredicted. The transitions of
// cycle_transitions.h in mask form: every step writes one sample at the end
// of the cycle, while waiting the sample, which counts only if it crosses;
// while recording the sample or, at a crossing, the closing sample; while
// playing the sample, past the part being replayed. Selections are made on
// the bits of floats with masks, so that the compiler cannot turn them into
// branches.
template <bool accumulate>
void CycleMachine::stepFrames(const float* x, float* outLeft, float* outRight, int32 frames,
                              float liveGain, float cycleGain) {
    float previous = previousSample;
    std::uint32_t index = static_cast<std::uint32_t>(playIndex);
    std::uint32_t length = static_cast<std::uint32_t>(cycleLength);
    std::uint32_t play = playing ? 1u : 0u;
    for (int32 j = 0; j < frames; ++j) {
        const float sample = x[j];
        const std::uint32_t crossing = (previous < 0.0f ? 1u : 0u) & (sample >= 0.0f ? 1u : 0u);
        previous = sample;
        const float live = sample * liveGain;
        const float mixed = live + cycleBuffer[index] * cycleGain;
        const std::uint32_t playMask = 0u - play;
        // Chosen by bits, not by arithmetic such as adding a replay of 0.0:
        // that would turn a live -0.0 into +0.0, and an infinite or NaN
        // "ncvolume" would spoil frames that only hear the live input.
        const float y = floatOf((bitsOf(mixed) & playMask) | (bitsOf(live) & ~playMask));

        const std::uint32_t recording = (play ^ 1u) & (length != 0 ? 1u : 0u);
        const std::uint32_t closing = 0u - (recording & crossing);
        cycleBuffer[length] =
            floatOf((bitsOf(sample) & ~closing) | (bitsOf(kClosingSample) & closing));
        const std::uint32_t finished = play & (index + 1 == length ? 1u : 0u);
        const std::uint32_t grown = length + (recording | crossing);
        const std::uint32_t full = grown == kCycleCapacity ? 1u : 0u;
        const std::uint32_t playNext = (play & (finished ^ 1u)) | (recording & (crossing | full));
        length = (playMask & length & (finished - 1u)) | (~playMask & grown);
        index = (index + 1) & (0u - (play & (finished ^ 1u)));
        play = playNext;

        if (accumulate) {
            outLeft[j] += y;
            outRight[j] += y;
        } else {
            outLeft[j] = y;
            outRight[j] = y;
        }
    }
    previousSample = previous;
    playIndex = static_cast<int32>(index);
    cycleLength = static_cast<int32>(length);
    playing = play != 0;
}

template void CycleMachine::stepFrames<true>(const float*, float*, float*, int32, float, float);
template void CycleMachine::stepFrames<false>(const float*, float*, float*, int32, float, float);
