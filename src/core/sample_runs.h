// The loops the block path runs over stretches of frames: finding upward zero
// crossings sixteen frames at a time, writing the live input times its gain,
// or the replayed cycle mixed with it, to both outputs, and copying samples
// into and out of the cycle buffer.
//
// Each output sample is computed with exactly the operations of one step of
// the state machine (a product, or two products and their sum, then the store
// or the sum with the output), so the results are the same bits. The
// arithmetic works on four frames at once in SSE2, which every build targets:
// x86-64 has it, and the 32-bit library is built with -msse2.
//
// Every frame's input is read before that frame's outputs are written, so the
// outputs may be the very input buffers (in-place processing).
#pragma once

#if !defined(__SSE2__)
#error "the block path is written for SSE2: build for x86-64, or for 32-bit x86 with -msse2"
#endif

#include <emmintrin.h>

#include <cstdint>

#include "core/core_types.h"

namespace sample_runs {

// Frames examined per crossing search: one bit each in a 32-bit word.
constexpr int32 kChunk = 16;

// Bit j is set when frame j is an upward crossing: the sample before it
// (`before` for frame 0) is below 0.0 and x[j] is at or above 0.0. Only the
// first `count` (at most kChunk) frames are examined.
inline std::uint32_t upwardCrossings(const float* x, int32 count, float before) {
    std::uint32_t negative = 0;
    std::uint32_t nonNegative = 0;
    if (count == kChunk) {
        const __m128 zero = _mm_setzero_ps();
        for (int32 q = 0; q < kChunk / 4; ++q) {
            const __m128 v = _mm_loadu_ps(x + 4 * q);
            negative |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmplt_ps(v, zero)))
                        << (4 * q);
            nonNegative |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmpge_ps(v, zero)))
                           << (4 * q);
        }
    } else {
        for (int32 j = 0; j < count; ++j) {
            negative |= (x[j] < 0.0f ? 1u : 0u) << j;
            nonNegative |= (x[j] >= 0.0f ? 1u : 0u) << j;
        }
    }
    return ((negative << 1) | (before < 0.0f ? 1u : 0u)) & nonNegative;
}

inline int32 lowestBit(std::uint32_t bits) {
    return __builtin_ctz(bits);
}

// Samples a copy moves at once: two vectors. A copy may write up to
// kCopyRound - 1 places past its count; whoever it writes into has that room.
constexpr int32 kCopyRound = 8;

// Copies `count` samples, in whole rounds of kCopyRound where all of them can
// be read at `from` (`readable` samples can), one by one otherwise. Most
// copies are a few samples long, so one round does them without a branch
// that depends on their length. Nothing reads the places written past
// `count` before they are written again.
inline void copySamples(float* to, const float* from, int32 count, int32 readable) {
    if (count <= readable - (kCopyRound - 1)) {
        for (int32 j = 0; j < count; j += kCopyRound) {
            _mm_storeu_ps(to + j, _mm_loadu_ps(from + j));
            _mm_storeu_ps(to + j + 4, _mm_loadu_ps(from + j + 4));
        }
        return;
    }
    for (int32 j = 0; j < count; ++j) {
        to[j] = from[j];
    }
}

// Four results to both outputs, written or (process) added.
template <bool accumulate> inline void storeFour(float* outLeft, float* outRight, __m128 y) {
    if (accumulate) {
        _mm_storeu_ps(outLeft, _mm_add_ps(_mm_loadu_ps(outLeft), y));
        _mm_storeu_ps(outRight, _mm_add_ps(_mm_loadu_ps(outRight), y));
    } else {
        _mm_storeu_ps(outLeft, y);
        _mm_storeu_ps(outRight, y);
    }
}

// The first `count` (one to three) samples at p, the other lanes 0.0.
inline __m128 loadPart(const float* p, int32 count) {
    return _mm_setr_ps(p[0], count > 1 ? p[1] : 0.0f, count > 2 ? p[2] : 0.0f, 0.0f);
}

inline void storePart(float* p, int32 count, __m128 v) {
    _mm_store_ss(p, v);
    if (count > 1) {
        _mm_store_ss(p + 1, _mm_shuffle_ps(v, v, 1));
    }
    if (count > 2) {
        _mm_store_ss(p + 2, _mm_movehl_ps(v, v));
    }
}

// Writes both outputs of `count` frames: four lanes at a time, then the last
// one to three through the same four-lane arithmetic in a vector filled up
// with zeros (on some processors scalar arithmetic on subnormal numbers is
// much slower than the same in vectors: twice as slow where this was
// measured). `lanes(j, load)` gives the results of frames j to j + 3 and
// reads each input through `load`: four samples, or the tail's and zeros.
template <bool accumulate, typename Lanes>
[[gnu::always_inline]] inline void storeLanes(float* outLeft, float* outRight, int32 count,
                                              Lanes lanes) {
    int32 j = 0;
    for (; j + 4 <= count; j += 4) {
        storeFour<accumulate>(outLeft + j, outRight + j,
                              lanes(j, [](const float* p) { return _mm_loadu_ps(p); }));
    }
    if (j < count) {
        const int32 tail = count - j;
        const __m128 y = lanes(j, [tail](const float* p) { return loadPart(p, tail); });
        storePart(outLeft + j, tail, accumulate ? _mm_add_ps(loadPart(outLeft + j, tail), y) : y);
        storePart(outRight + j, tail, accumulate ? _mm_add_ps(loadPart(outRight + j, tail), y) : y);
    }
}

// Both outputs of `count` frames get x × liveGain.
template <bool accumulate>
inline void storeScaled(const float* x, float* outLeft, float* outRight, int32 count,
                        float liveGain) {
    const __m128 gain = _mm_set1_ps(liveGain);
    storeLanes<accumulate>(outLeft, outRight, count,
                           [x, gain](int32 j, auto load) { return _mm_mul_ps(load(x + j), gain); });
}

// Both outputs of `count` frames get x × liveGain + cycle × cycleGain.
template <bool accumulate>
inline void storeMixed(const float* cycle, const float* x, float* outLeft, float* outRight,
                       int32 count, float cycleGain, float liveGain) {
    const __m128 live = _mm_set1_ps(liveGain);
    const __m128 replayed = _mm_set1_ps(cycleGain);
    storeLanes<accumulate>(outLeft, outRight, count, [=](int32 j, auto load) {
        return _mm_add_ps(_mm_mul_ps(load(x + j), live), _mm_mul_ps(load(cycle + j), replayed));
    });
}

// Whole chunks from the start of x without an upward crossing, at most
// `chunks` of them: their outputs get x × liveGain and, while `recording`,
// their samples are appended at `cycle`. Answers the frames done and leaves
// `before` at the last sample of the last chunk done. Most chunks of most
// signals are decided by their sign bits alone: with none set, no sample is
// below 0.0 and only frame 0 could be a crossing, after a negative `before`;
// with no sample at or above 0.0 none is a crossing either.
template <bool accumulate, bool recording>
inline int32 steadyChunks(const float* x, float* outLeft, float* outRight, int32 chunks,
                          float liveGain, float& before, float* cycle,
                          std::uint32_t& stopCrossings) {
    stopCrossings = 0;
    const __m128 zero = _mm_setzero_ps();
    const __m128 gain = _mm_set1_ps(liveGain);
    bool beforeNegative = before < 0.0f;
    __m128 last = _mm_set1_ps(before);
    const int32 frames = chunks * kChunk;
    int32 done = 0;
    for (; done < frames; done += kChunk) {
        const __m128 v0 = _mm_loadu_ps(x + done);
        const __m128 v1 = _mm_loadu_ps(x + done + 4);
        const __m128 v2 = _mm_loadu_ps(x + done + 8);
        const __m128 v3 = _mm_loadu_ps(x + done + 12);
        const int signs = _mm_movemask_ps(_mm_or_ps(_mm_or_ps(v0, v1), _mm_or_ps(v2, v3)));
        if (__builtin_expect((signs | static_cast<int>(beforeNegative)) != 0, 0)) {
            const __m128 atOrAbove =
                _mm_or_ps(_mm_or_ps(_mm_cmpge_ps(v0, zero), _mm_cmpge_ps(v1, zero)),
                          _mm_or_ps(_mm_cmpge_ps(v2, zero), _mm_cmpge_ps(v3, zero)));
            if (_mm_movemask_ps(atOrAbove) != 0) {
                const float previous = _mm_cvtss_f32(_mm_shuffle_ps(last, last, 0xFF));
                stopCrossings = upwardCrossings(x + done, kChunk, previous);
                if (stopCrossings != 0) {
                    break;
                }
            }
            beforeNegative = (_mm_movemask_ps(_mm_cmplt_ps(v3, zero)) & 8) != 0;
        }
        if (recording) {
            _mm_storeu_ps(cycle + done, v0);
            _mm_storeu_ps(cycle + done + 4, v1);
            _mm_storeu_ps(cycle + done + 8, v2);
            _mm_storeu_ps(cycle + done + 12, v3);
        }
        storeFour<accumulate>(outLeft + done, outRight + done, _mm_mul_ps(v0, gain));
        storeFour<accumulate>(outLeft + done + 4, outRight + done + 4, _mm_mul_ps(v1, gain));
        storeFour<accumulate>(outLeft + done + 8, outRight + done + 8, _mm_mul_ps(v2, gain));
        storeFour<accumulate>(outLeft + done + 12, outRight + done + 12, _mm_mul_ps(v3, gain));
        last = v3;
    }
    before = _mm_cvtss_f32(_mm_shuffle_ps(last, last, 0xFF));
    return done;
}

} // namespace sample_runs
