// process and processReplacing: one block, cut at the frames where queued
// events are due. The events due at a frame are released before its audio,
// then the frames up to the next such frame are rendered in one stretch.
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
    float* outLeft = outputs[0];
    float* outRight = outputs[1];

    startBlock(sampleFrames);
    if (orderCount > 0) {
        scheduleQueued();
    }
    blockRunning = true;
    int32 frame = 0;
    while (frame < sampleFrames) {
        int32 next = sampleFrames;
        if (scheduleNext < scheduleEnd) {
            // A controller released here already sets the gains of this frame.
            releaseScheduled(frame);
            if (scheduleNext < scheduleEnd) {
                next = schedule[scheduleNext].frame;
            }
        }
        renderFrames<accumulate>(left + frame, outLeft + frame, outRight + frame, next - frame);
        frame = next;
    }
    blockRunning = false;
    endBlock(sampleFrames);
}
