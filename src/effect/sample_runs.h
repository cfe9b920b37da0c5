// The loops the block path runs over stretches of frames: finding upward zero
// crossings sixteen frames at a time, and writing the live input times its
// gain, or the replayed cycle mixed with it, to both outputs.
//
// Each output sample is computed with exactly the operations of one step of
// the state machine (a product, or two products and their sum, then the store
// or the sum with the output), so the results are the same bits. With SSE2
// (every x86-64 processor, and the 32-bit library's target) the arithmetic
// works on four frames at once; elsewhere the plain loops do the same.
//
// Every frame's input is read before that frame's outputs are written, so the
// outputs may be the very input buffers (in-place processing).
#pragma once

#include <cstdint>

#include "host/vst_types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sample_runs {

// Frames examined per crossing search: one bit each in a 32-bit word.
constexpr int32 kChunk = 16;

// Bit j is set when frame j is an upward crossing: the sample before it
// (`before` for frame 0) is below 0.0 and x[j] is at or above 0.0. Only the
// first `count` (at most kChunk) frames are examined.
inline std::uint32_t upwardCrossings(const float* x, int32 count, float before) {
    std::uint32_t negative = 0;
    std::uint32_t nonNegative = 0;
#if defined(__SSE2__)
    if (count == kChunk) {
        const __m128 zero = _mm_setzero_ps();
        for (int32 q = 0; q < kChunk / 4; ++q) {
            const __m128 v = _mm_loadu_ps(x + 4 * q);
            negative |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmplt_ps(v, zero)))
                        << (4 * q);
            nonNegative |= static_cast<std::uint32_t>(_mm_movemask_ps(_mm_cmpge_ps(v, zero)))
                           << (4 * q);
        }
        return ((negative << 1) | (before < 0.0f ? 1u : 0u)) & nonNegative;
    }
#endif
    for (int32 j = 0; j < count; ++j) {
        negative |= (x[j] < 0.0f ? 1u : 0u) << j;
        nonNegative |= (x[j] >= 0.0f ? 1u : 0u) << j;
    }
    return ((negative << 1) | (before < 0.0f ? 1u : 0u)) & nonNegative;
}

inline int32 lowestBit(std::uint32_t bits) {
    return __builtin_ctz(bits);
}

#if defined(__SSE2__)
template <bool accumulate> inline void storeFour(float* out, __m128 y) {
    if (accumulate) {
        _mm_storeu_ps(out, _mm_add_ps(_mm_loadu_ps(out), y));
    } else {
        _mm_storeu_ps(out, y);
    }
}

// The last one to three frames of a stretch go through the four-frame
// arithmetic as well, in a vector filled up with zeros: on some processors
// scalar arithmetic on subnormal numbers is much slower than the same
// arithmetic on vectors (twice as slow where this was measured).
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

template <bool accumulate> inline void storeLast(float* out, int32 count, __m128 y) {
    storePart(out, count, accumulate ? _mm_add_ps(loadPart(out, count), y) : y);
}
#endif

#if !defined(__SSE2__)
template <bool accumulate> inline void storeOne(float* out, float y) {
    if (accumulate) {
        *out += y;
    } else {
        *out = y;
    }
}
#endif

// Both outputs of `count` frames get x × liveGain.
template <bool accumulate>
inline void storeScaled(const float* x, float* outLeft, float* outRight, int32 count,
                        float liveGain) {
#if defined(__SSE2__)
    const __m128 gain = _mm_set1_ps(liveGain);
    int32 j = 0;
    for (; j + 4 <= count; j += 4) {
        const __m128 y = _mm_mul_ps(_mm_loadu_ps(x + j), gain);
        storeFour<accumulate>(outLeft + j, y);
        storeFour<accumulate>(outRight + j, y);
    }
    if (j < count) {
        const __m128 y = _mm_mul_ps(loadPart(x + j, count - j), gain);
        storeLast<accumulate>(outLeft + j, count - j, y);
        storeLast<accumulate>(outRight + j, count - j, y);
    }
#else
    for (int32 j = 0; j < count; ++j) {
        const float y = x[j] * liveGain;
        storeOne<accumulate>(outLeft + j, y);
        storeOne<accumulate>(outRight + j, y);
    }
#endif
}

// Both outputs of `count` frames get x × liveGain + cycle × cycleGain.
template <bool accumulate>
inline void storeMixed(const float* cycle, const float* x, float* outLeft, float* outRight,
                       int32 count, float cycleGain, float liveGain) {
#if defined(__SSE2__)
    const __m128 live = _mm_set1_ps(liveGain);
    const __m128 replayed = _mm_set1_ps(cycleGain);
    int32 j = 0;
    for (; j + 4 <= count; j += 4) {
        const __m128 y = _mm_add_ps(_mm_mul_ps(_mm_loadu_ps(x + j), live),
                                    _mm_mul_ps(_mm_loadu_ps(cycle + j), replayed));
        storeFour<accumulate>(outLeft + j, y);
        storeFour<accumulate>(outRight + j, y);
    }
    if (j < count) {
        const __m128 y = _mm_add_ps(_mm_mul_ps(loadPart(x + j, count - j), live),
                                    _mm_mul_ps(loadPart(cycle + j, count - j), replayed));
        storeLast<accumulate>(outLeft + j, count - j, y);
        storeLast<accumulate>(outRight + j, count - j, y);
    }
#else
    for (int32 j = 0; j < count; ++j) {
        const float y = x[j] * liveGain + cycle[j] * cycleGain;
        storeOne<accumulate>(outLeft + j, y);
        storeOne<accumulate>(outRight + j, y);
    }
#endif
}

// Copies `count` samples, at most kChunk. When both ends have room for a
// whole chunk it copies sixteen: the ones past `count` land where nothing
// reads them before they are written again.
inline void copyShort(float* to, const float* from, int32 count, bool roomForChunk) {
#if defined(__SSE2__)
    if (roomForChunk) {
        for (int32 q = 0; q < kChunk; q += 4) {
            _mm_storeu_ps(to + q, _mm_loadu_ps(from + q));
        }
        return;
    }
#else
    (void)roomForChunk;
#endif
    for (int32 j = 0; j < count; ++j) {
        to[j] = from[j];
    }
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
#if defined(__SSE2__)
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
        storeFour<accumulate>(outLeft + done, _mm_mul_ps(v0, gain));
        storeFour<accumulate>(outRight + done, _mm_mul_ps(v0, gain));
        storeFour<accumulate>(outLeft + done + 4, _mm_mul_ps(v1, gain));
        storeFour<accumulate>(outRight + done + 4, _mm_mul_ps(v1, gain));
        storeFour<accumulate>(outLeft + done + 8, _mm_mul_ps(v2, gain));
        storeFour<accumulate>(outRight + done + 8, _mm_mul_ps(v2, gain));
        storeFour<accumulate>(outLeft + done + 12, _mm_mul_ps(v3, gain));
        storeFour<accumulate>(outRight + done + 12, _mm_mul_ps(v3, gain));
        last = v3;
    }
    before = _mm_cvtss_f32(_mm_shuffle_ps(last, last, 0xFF));
    return done;
#else
    // Without SSE2 every chunk takes the general way, in plain loops.
    (void)x, (void)outLeft, (void)outRight, (void)chunks, (void)liveGain, (void)before;
    (void)cycle;
    return 0;
#endif
}

} // namespace sample_runs
