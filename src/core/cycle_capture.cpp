// The effect's audio: wait for an upward zero crossing on the left input,
// record one cycle up to the next one, then replay that cycle once over the
// live input and wait again. Both outputs carry the same mono result.
//
// processSample is one step of that machine, the definition the block path
// (block_processing.cpp) follows a stretch of frames at a time, bit for bit.
#include "core/cycle_machine.h"
#include "core/cycle_transitions.h"

StereoFrame CycleMachine::processSample(float left, float /*right*/) {
    const float x = left;
    const float liveGain = ipvolume.load(std::memory_order_relaxed);
    const bool upwardCrossing = previousSample < 0.0f && x >= 0.0f;
    previousSample = x;

    float y = x * liveGain;
    if (playing) {
        y += cycleBuffer[playIndex] * ncvolume.load(std::memory_order_relaxed);
        advancePlayback(1);
    } else if (upwardCrossing && cycleLength > 0) {
        closeCycle();
    } else if (upwardCrossing || cycleLength > 0) {
        recordSample(x);
    }
    return {y, y};
}
