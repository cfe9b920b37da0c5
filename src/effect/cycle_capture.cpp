// The effect's audio: wait for an upward zero crossing on the left input,
// record one cycle up to the next one, then replay that cycle once over the
// live input and wait again. Both outputs carry the same mono result.
#include "effect/TarvelEffect.h"

void TarvelEffect::process(float** inputs, float** outputs, int32 sampleFrames) {
    processBlock<true>(inputs, outputs, sampleFrames);
}

void TarvelEffect::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
    processBlock<false>(inputs, outputs, sampleFrames);
}

// `accumulate` adds the result to the outputs (process) instead of writing
// over them (processReplacing). A block without the left input or either
// output is not processed at all; the right input is never needed.
template <bool accumulate>
void TarvelEffect::processBlock(float** inputs, float** outputs, int32 sampleFrames) {
    if (sampleFrames <= 0 || inputs == nullptr || outputs == nullptr || inputs[0] == nullptr ||
        outputs[0] == nullptr || outputs[1] == nullptr) {
        return;
    }
    const float* left = inputs[0];
    const float* right = inputs[1] != nullptr ? inputs[1] : inputs[0];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];

    blockFrames = sampleFrames;
    for (int32 i = 0; i < sampleFrames; ++i) {
        // Events due at this frame act before its audio: a controller that
        // changes a gain here already changes this frame.
        if (queuedCount > 0) {
            releaseEvents(i);
        }
        const StereoFrame y = processSample(left[i], right[i]);
        if (accumulate) {
            outLeft[i] += y.left;
            outRight[i] += y.right;
        } else {
            outLeft[i] = y.left;
            outRight[i] = y.right;
        }
    }
    moveQueueBack(sampleFrames);
}

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
