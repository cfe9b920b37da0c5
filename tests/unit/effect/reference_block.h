// The block loop written the straightforward way, one frame at a time from
// the effect's public pieces: release the events due at the frame, take one
// step of the state machine, store. process and processReplacing must give
// exactly what this gives, bit for bit and relay for relay.
#pragma once

#include "effect/tarvel_effect.h"

template <bool accumulate>
void referenceBlock(TarvelEffect& effect, float** inputs, float** outputs, int32 sampleFrames) {
    if (sampleFrames <= 0 || inputs == nullptr || outputs == nullptr || inputs[0] == nullptr ||
        outputs[0] == nullptr || outputs[1] == nullptr) {
        return;
    }
    const float* left = inputs[0];
    const float* right = inputs[1] != nullptr ? inputs[1] : inputs[0];
    effect.startBlock(sampleFrames);
    for (int32 i = 0; i < sampleFrames; ++i) {
        if (effect.queuedEvents() > 0) {
            effect.releaseEvents(i);
        }
        const StereoFrame y = effect.processSample(left[i], right[i]);
        if (accumulate) {
            outputs[0][i] += y.left;
            outputs[1][i] += y.right;
        } else {
            outputs[0][i] = y.left;
            outputs[1][i] = y.right;
        }
    }
    effect.endBlock(sampleFrames);
}
