// The effect's audio: wait for an upward zero crossing on the left input,
// record one cycle up to the next one, then replay that cycle once over the
// live input and wait again, with the two gains ("ncvolume" for the replayed
// cycle, "ipvolume" for the live input). Both outputs carry the same mono
// result.
#pragma once

#include <atomic>

#include "core/core_types.h"

// One frame of the effect's output; both channels always carry the same value.
struct StereoFrame {
    float left;
    float right;
};

class CycleMachine {
public:
    // The gains' indices: the replayed cycle's, the live input's.
    static constexpr int32 kNcvolume = 0;
    static constexpr int32 kIpvolume = 1;
    // Longest cycle kept; a longer one is cut here (a quarter second at 44.1 kHz).
    static constexpr int32 kCycleCapacity = 11025;
    // Frames the block path takes at once where the signal crosses zero
    // every few frames.
    static constexpr int32 kDenseWindow = 256;

    // Any other index stores nothing and reads 0.
    void setGain(int32 index, float value) {
        if (index == kNcvolume) {
            ncvolume.store(value, std::memory_order_relaxed);
        } else if (index == kIpvolume) {
            ipvolume.store(value, std::memory_order_relaxed);
        }
    }
    float gain(int32 index) const {
        if (index == kNcvolume) {
            return ncvolume.load(std::memory_order_relaxed);
        }
        if (index == kIpvolume) {
            return ipvolume.load(std::memory_order_relaxed);
        }
        return 0.0f;
    }

    // Back to waiting for a crossing, nothing recorded; the gains stay.
    void clear() {
        playIndex = 0;
        cycleLength = 0;
        playing = false;
        previousSample = 0.0f;
    }

    // One step of the state machine on the left sample: the definition the
    // block path follows a stretch of frames at a time, bit for bit.
    StereoFrame processSample(float left, float right);
    // The frames between two event frames, in stretches of one phase each
    // (block_processing.cpp, where the block loop inlines it).
    template <bool accumulate>
    void renderFrames(const float* left, float* outLeft, float* outRight, int32 frames);

private:
    template <bool accumulate>
    int32 captureFrames(const float* left, float* outLeft, float* outRight, int32 frames,
                        float liveGain, float cycleGain);
    template <bool accumulate>
    void denseFrames(const float* x, float* outLeft, float* outRight, int32 frames, float liveGain,
                     float cycleGain);
    template <bool accumulate>
    void stepFrames(const float* x, float* outLeft, float* outRight, int32 frames, float liveGain,
                    float cycleGain);
    // The state machine's transitions (cycle_transitions.h).
    bool recorded(int32 count);
    void recordSample(float x);
    void closeCycle();
    int32 recordUntil(const float* x, int32 first, int32 stop, int32 end, int32 readable);
    void advancePlayback(int32 count);

    // Written by the user-interface thread and by MIDI on the audio thread,
    // read by every audio step: whole-word atomic values, no ordering needed.
    std::atomic<float> ncvolume{1.0f};
    std::atomic<float> ipvolume{1.0f};

    // Places past the longest cycle that writes may run over: a copy into the
    // buffer goes in rounds of eight samples, up to seven past its count, and
    // a step through a replay writes one past the cycle's end.
    static constexpr int32 kOverwriteRoom = 8;
    static constexpr int32 kCycleBufferSize = kCycleCapacity + kOverwriteRoom;
    // The sample that ends every recorded cycle.
    static constexpr float kClosingSample = 0.0f;
    float cycleBuffer[kCycleBufferSize] = {};
    int32 playIndex = 0;
    int32 cycleLength = 0;
    bool playing = false;
    float previousSample = 0.0f;
};

// The live gains are shared between the user-interface and audio threads
// as single words stored and loaded whole, without a lock.
static_assert(std::atomic<float>::is_always_lock_free, "gains are plain atomic words");
