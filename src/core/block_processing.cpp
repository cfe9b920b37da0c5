// One block of the effect, cut at the frames where queued
// events are due. The events due at a frame are released before its audio,
// then the frames up to the next such frame are rendered in one stretch, in
// runs of one phase each: while waiting or recording the output is the live
// input times its gain, and only the crossing frames change the state; while
// playing, the output mixes the cycle in. Short cycles go crossing by
// crossing (dense_frames.cpp), stretches of a few frames between events step
// by step (cycle_steps.cpp). The result is what processSample gives frame by frame,
// bit for bit.
#include <algorithm>
#include <cstdint>

#include "core/cycle_transitions.h"
#include "core/effect_core.h"
#include "core/sample_runs.h"

using sample_runs::kChunk;

// captureFrames and renderFrames are inlined into the block loop: they run
// for every stretch, and their own set-up is a noticeable part of a short one.

// Waits and records up to the frame that completes a cycle, or through all
// `frames`; answers the frames done. Whole chunks without a crossing go
// straight through. In the others the first crossing while waiting starts the
// recording (with that sample), the next one ends it (appending 0.0), and a
// recording that fills the buffer ends there. Up to and including that frame
// the output is x × liveGain. Each chunk's input is read (searched and
// recorded) before its outputs are written: they may be the input buffer.
template <bool accumulate>
[[gnu::always_inline]] inline int32 CycleMachine::captureFrames(const float* left, float* outLeft,
                                                                float* outRight, int32 frames,
                                                                float liveGain, float cycleGain) {
    int32 done = 0;
    while (done < frames && !playing) {
        float before = previousSample;
        std::uint32_t crossings = 0;
        if (cycleLength == 0) {
            done += sample_runs::steadyChunks<accumulate, false>(
                left + done, outLeft + done, outRight + done, (frames - done) / kChunk, liveGain,
                before, nullptr, crossings);
        } else {
            const int32 chunks = std::min(frames - done, kCycleCapacity - cycleLength) / kChunk;
            const int32 steady = sample_runs::steadyChunks<accumulate, true>(
                left + done, outLeft + done, outRight + done, chunks, liveGain, before,
                cycleBuffer + cycleLength, crossings);
            recorded(steady);
            done += steady;
        }
        previousSample = before;
        if (done == frames) {
            break;
        }

        // The chunk the steady stretch stopped at (its crossings are known)
        // or the last few frames.
        const float* x = left + done;
        const int32 count = std::min(frames - done, kChunk);
        if (crossings == 0) {
            crossings = sample_runs::upwardCrossings(x, count, previousSample);
        }
        if ((crossings & (crossings - 1)) != 0) {
            // Two crossings or more: short cycles, which this and likely the
            // next chunks are best taken crossing by crossing.
            const int32 busy = std::min(frames - done, kDenseWindow);
            denseFrames<accumulate>(x, outLeft + done, outRight + done, busy, liveGain, cycleGain);
            done += busy;
            continue;
        }
        int32 recordFrom = cycleLength > 0 ? 0 : count;
        if (cycleLength == 0 && crossings != 0) {
            recordFrom = sample_runs::lowestBit(crossings);
            crossings &= crossings - 1;
        }
        int32 length = count;
        if (recordFrom < count) {
            const int32 stop = crossings != 0 ? sample_runs::lowestBit(crossings) : count;
            length = recordUntil(x, recordFrom, stop, count, frames - done - recordFrom);
        }
        previousSample = x[length - 1];
        sample_runs::storeScaled<accumulate>(x, outLeft + done, outRight + done, length, liveGain);
        done += length;
    }
    return done;
}

// The gains are read once for the whole stretch: within a block only the
// events between stretches change them from this thread. A change the user
// interface makes while the stretch runs is heard from the next stretch or
// block on, a few milliseconds at most.
template <bool accumulate>
[[gnu::always_inline]] inline void CycleMachine::renderFrames(const float* left, float* outLeft,
                                                              float* outRight, int32 frames) {
    const float liveGain = ipvolume.load(std::memory_order_relaxed);
    const float cycleGain = ncvolume.load(std::memory_order_relaxed);
    if (frames < kChunk) {
        // Between events only a few frames apart: steps cost less than stretches.
        stepFrames<accumulate>(left, outLeft, outRight, frames, liveGain, cycleGain);
        return;
    }
    int32 done = 0;
    while (done < frames) {
        if (!playing) {
            done += captureFrames<accumulate>(left + done, outLeft + done, outRight + done,
                                              frames - done, liveGain, cycleGain);
            continue;
        }
        const int32 count = std::min(frames - done, cycleLength - playIndex);
        // Read before the outputs are written: they may be the input buffer.
        previousSample = left[done + count - 1];
        sample_runs::storeMixed<accumulate>(cycleBuffer + playIndex, left + done, outLeft + done,
                                            outRight + done, count, cycleGain, liveGain);
        advancePlayback(count);
        done += count;
    }
}

// A controller released at a frame already sets the gains of that frame.
template <bool accumulate>
void EffectCore::processBlock(const float* left, float* outLeft, float* outRight,
                              int32 sampleFrames) {
    midi.startBlock(sampleFrames);
    midi.beginRun();
    int32 frame = 0;
    while (frame < sampleFrames) {
        int32 next = sampleFrames;
        if (midi.hasScheduled()) {
            midi.releaseScheduled(frame);
            if (midi.hasScheduled()) {
                next = midi.nextScheduledFrame();
            }
        }
        cycles.renderFrames<accumulate>(left + frame, outLeft + frame, outRight + frame,
                                        next - frame);
        frame = next;
    }
    midi.endRun();
    midi.endBlock(sampleFrames);
}

template void EffectCore::processBlock<true>(const float*, float*, float*, int32);
template void EffectCore::processBlock<false>(const float*, float*, float*, int32);
