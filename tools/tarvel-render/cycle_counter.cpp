#include "cycle_counter.h"

#include <utility>

bool CycleCounter::step(float left) {
    const std::int64_t frame = frame_++;
    const bool crossing = previous < 0.0f && left >= 0.0f;
    previous = left;
    if (playing) {
        if (++played == length) {
            endStretch(CycleStretch::Phase::replay, started, frame + 1);
            playing = false;
            length = 0;
            played = 0;
            ++replayed_;
        }
        return true;
    }
    if (length == 0) {
        if (crossing) {
            length = 1;
            started = frame;
        }
        return false;
    }
    // Recording: a crossing ends the cycle (a zero is appended, so the
    // replay is one frame longer than the cycle and the crossing frame is
    // in neither), a full buffer cuts it after this frame.
    ++length;
    if (crossing || length == kCapacity) {
        lastCut = !crossing;
        endStretch(CycleStretch::Phase::recording, started, crossing ? frame : frame + 1);
        playing = true;
        played = 0;
        started = frame + 1;
        ++recorded_;
        if (lastCut) {
            ++cut_;
        }
    }
    return false;
}

std::vector<CycleStretch> CycleCounter::takeStretches() {
    std::vector<CycleStretch> taken;
    taken.swap(stretches);
    return taken;
}

bool CycleCounter::stretchInProgress(CycleStretch& stretch) const {
    if (!playing && length == 0) {
        return false;
    }
    stretch.phase = playing ? CycleStretch::Phase::replay : CycleStretch::Phase::recording;
    stretch.start = started;
    stretch.end = frame_;
    stretch.cut = playing && lastCut;
    return true;
}

void CycleCounter::endStretch(CycleStretch::Phase phase, std::int64_t start, std::int64_t end) {
    if (keeping) {
        stretches.push_back({phase, start, end, lastCut});
    }
}
