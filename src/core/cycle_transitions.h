// The transitions of the capture and playback state machine, each rule
// written once. Every path through the frames (processSample's single steps,
// the stretches of block_processing.cpp, the windows of dense_frames.cpp)
// changes the state only through these; the branch-free steps of
// cycle_steps.cpp compute the same rules with masks.
//
// While waiting, cycleLength is 0; a recording appends at
// cycleBuffer + cycleLength; while playing, playIndex is the next sample heard.
#pragma once

#include <algorithm>

#include "core/cycle_machine.h"
#include "core/sample_runs.h"

// Counts the `count` samples just written at the end of the recording. A
// recording that fills the buffer ends with its last sample: replay starts
// with the next frame, whatever that frame is. Answers whether it ended.
inline bool CycleMachine::recorded(int32 count) {
    cycleLength += count;
    playing = cycleLength == kCycleCapacity;
    return playing;
}

// Appends one sample: the upward crossing that starts a recording, or any
// frame of it until the next crossing.
inline void CycleMachine::recordSample(float x) {
    cycleBuffer[cycleLength] = x;
    recorded(1);
}

// The cycle ends just before an upward crossing; a closing 0.0 lets the
// replayed cycle meet the live signal at its zero. The crossing sample is
// only heard live and starts nothing: crossings are ignored until the replay
// ends.
inline void CycleMachine::closeCycle() {
    cycleBuffer[cycleLength++] = kClosingSample;
    playing = true;
}

// Records x[first] up to the frame before `stop`, the next upward crossing,
// or `end` when none comes before it; `readable` samples can be read at
// x + first. Answers the frame after the one that ended the recording (the
// last sample that filled the buffer, or the crossing that closed the
// cycle), or `end` while the recording goes on.
inline int32 CycleMachine::recordUntil(const float* x, int32 first, int32 stop, int32 end,
                                       int32 readable) {
    static_assert(kOverwriteRoom >= sample_runs::kCopyRound - 1, "a last round fits");
    const int32 count = std::min(stop - first, kCycleCapacity - cycleLength);
    sample_runs::copySamples(cycleBuffer + cycleLength, x + first, count, readable);
    if (recorded(count)) {
        return first + count;
    }
    if (stop < end) {
        closeCycle();
        return stop + 1;
    }
    return end;
}

// Moves the replay on by `count` frames; a cycle heard whole is let go and
// waiting for the next crossing starts again.
inline void CycleMachine::advancePlayback(int32 count) {
    playIndex += count;
    if (playIndex == cycleLength) {
        playing = false;
        playIndex = 0;
        cycleLength = 0;
    }
}
