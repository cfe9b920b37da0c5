// processSample's steps over a window of frames where the signal crosses zero
// every few frames (noise, high tones, busy mixes). Stepping frame by frame
// there costs a whole state-machine step per frame; instead:
//
// 1. the upward crossings of the whole window are found, sixteen frames at a
//    time, as one bit per frame;
// 2. the state machine jumps from crossing to crossing: a waiting state to
//    the next crossing, a recording to the crossing that ends it (or to a
//    full buffer), a replay over as many frames as the cycle has left. It
//    records into the cycle buffer as it goes and lays the replayed samples
//    out at the frames they are heard at, marking those frames;
// 3. every output is written, four frames at a time: the live input times
//    its gain, or at marked frames that plus the replayed sample times its
//    gain, the same operations in the same order as processSample's.
//
// Steps 1 and 2 only read the input, step 3 reads each frame's input before
// writing its outputs: the outputs may be the input buffer.
#include <algorithm>
#include <cstdint>

#include "core/cycle_machine.h"
#include "core/cycle_transitions.h"
#include "core/sample_runs.h"

namespace {

using Bits = std::uint64_t;
constexpr int32 kWordBits = 64;
constexpr int32 kWords = CycleMachine::kDenseWindow / kWordBits;
static_assert(CycleMachine::kDenseWindow % kWordBits == 0, "the window is whole words");
static_assert(CycleMachine::kDenseWindow % sample_runs::kChunk == 0, "the window is whole chunks");

// The word holding a frame's bit, and the bit's place in it (frames are
// never negative: unsigned arithmetic makes these a shift and a mask).
int32 wordOf(int32 frame) {
    return static_cast<int32>(static_cast<std::uint32_t>(frame) / kWordBits);
}

unsigned bitOf(int32 frame) {
    return static_cast<std::uint32_t>(frame) % kWordBits;
}

// The first frame at or after `from` whose bit is set, or `frames` when none
// is (bits past `frames` are never set).
int32 nextMarked(const Bits* bits, int32 from, int32 frames) {
    if (from >= frames) {
        return frames;
    }
    int32 word = wordOf(from);
    Bits rest = bits[word] & (~Bits{0} << bitOf(from));
    while (rest == 0) {
        if (++word == kWords) {
            return frames;
        }
        rest = bits[word];
    }
    return word * kWordBits + __builtin_ctzll(rest);
}

// Sets the bits of frames `from` to `to` - 1.
void markFrames(Bits* bits, int32 from, int32 to) {
    while (from < to) {
        const int32 word = wordOf(from);
        const int32 end = std::min(to, (word + 1) * kWordBits);
        const int32 count = end - from;
        const Bits ones = count == kWordBits ? ~Bits{0} : (Bits{1} << count) - 1;
        bits[word] |= ones << bitOf(from);
        from = end;
    }
}

// All ones in the lanes of the frames being replayed, from their four bits.
__m128 replayLanes(const Bits* replayed, int32 frame) {
    const int four = static_cast<int>((replayed[wordOf(frame)] >> bitOf(frame)) & 15u);
    const __m128i laneBits = _mm_setr_epi32(1, 2, 4, 8);
    const __m128i set = _mm_and_si128(_mm_set1_epi32(four), laneBits);
    return _mm_castsi128_ps(_mm_cmpeq_epi32(set, laneBits));
}

} // namespace

template <bool accumulate>
void CycleMachine::denseFrames(const float* x, float* outLeft, float* outRight, int32 frames,
                               float liveGain, float cycleGain) {
    Bits crossings[kWords] = {};
    Bits replayed[kWords] = {};
    // The replayed sample of every marked frame, 0.0 at the others, and
    // places for the copies' overrun.
    alignas(16) float replay[kDenseWindow + kOverwriteRoom];
    std::fill_n(replay, frames + kOverwriteRoom, 0.0f);

    float before = previousSample;
    for (int32 f = 0; f < frames; f += sample_runs::kChunk) {
        const int32 count = std::min(sample_runs::kChunk, frames - f);
        crossings[wordOf(f)] |= Bits{sample_runs::upwardCrossings(x + f, count, before)}
                                << bitOf(f);
        before = x[f + count - 1];
    }

    int32 frame = 0;
    while (frame < frames) {
        if (playing) {
            const int32 count = std::min(cycleLength - playIndex, frames - frame);
            sample_runs::copySamples(replay + frame, cycleBuffer + playIndex, count,
                                     kCycleBufferSize - playIndex);
            markFrames(replayed, frame, frame + count);
            frame += count;
            advancePlayback(count);
            continue;
        }
        // A crossing starts a recording with its own sample; a recording
        // under way goes on from this frame, and this very frame may end it.
        int32 first = frame;
        if (cycleLength == 0) {
            first = nextMarked(crossings, frame, frames);
            if (first == frames) {
                break;
            }
        }
        const int32 stop = nextMarked(crossings, cycleLength == 0 ? first + 1 : first, frames);
        frame = recordUntil(x, first, stop, frames, frames - first);
    }
    previousSample = x[frames - 1];

    const __m128 live = _mm_set1_ps(liveGain);
    const __m128 replayGain = _mm_set1_ps(cycleGain);
    sample_runs::storeLanes<accumulate>(outLeft, outRight, frames, [&](int32 j, auto load) {
        const __m128 alone = _mm_mul_ps(load(x + j), live);
        const __m128 mixed = _mm_add_ps(alone, _mm_mul_ps(_mm_load_ps(replay + j), replayGain));
        // The lanes are chosen by bits, not by arithmetic such as adding the
        // 0.0 laid out at frames without a replay: that would turn a live
        // -0.0 into +0.0, and an infinite or NaN "ncvolume" times that 0.0
        // would spoil frames that only hear the live input.
        const __m128 lanes = replayLanes(replayed, j);
        return _mm_or_ps(_mm_and_ps(lanes, mixed), _mm_andnot_ps(lanes, alone));
    });
}

template void CycleMachine::denseFrames<true>(const float*, float*, float*, int32, float, float);
template void CycleMachine::denseFrames<false>(const float*, float*, float*, int32, float, float);
