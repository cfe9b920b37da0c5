// The effect's audio: wait for an upward zero crossing on the left input,
// record one cycle up to the next one, then replay that cycle once over the
// live input and wait again. Both outputs carry the same mono result.
//
// processSample is one step of that machine, the definition the block path
// (block_processing.cpp) follows a stretch of frames at a time, bit for bit.
#include "effect/TarvelEffect.h"

StereoFrame TarvelEffect::processSample(float left, float /*right*/) {
    const float x = left;
    const float liveGain = ipvolume.load(std::memory_order_relaxed);
    const bool upwardCrossing = previousSample < 0.0f && x >= 0.0f;
    previousSample = x;

    float y = x * liveGain;
    if (playing) {
        y += cycleBuffer[playIndex] * ncvolume.load(std::memory_order_relaxed);
        if (++playIndex == cycleLength) {
            playing = false;
            playIndex = 0;
            cycleLength = 0;
        }
    } else if (cycleLength == 0) {
        if (upwardCrossing) {
            cycleBuffer[0] = x;
            cycleLength = 1;
        }
    } else if (upwardCrossing) {
        // The cycle ends just before this crossing; a closing 0.0 lets the
        // replayed cycle meet the live signal at its zero. The crossing
        // sample starts nothing: crossings are ignored until playback ends.
        cycleBuffer[cycleLength++] = 0.0f;
        playing = true;
    } else {
        cycleBuffer[cycleLength++] = x;
        playing = cycleLength == kCycleCapacity;
    }
    return {y, y};
}
