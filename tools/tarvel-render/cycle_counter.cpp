#include "cycle_counter.h"

#include <utility>

bool CycleCounter::step(float left) {
    const std::int64_t frame = frame_++;
    const bool crossing = previous_ < 0.0f && left >= 0.0f;
    previous_ = left;
    if (playing_) {
        if (++played_ == length_) {
            endStretch(CycleStretch::Phase::replay, started_, frame + 1);
            playing_ = false;
            length_ = 0;
            played_ = 0;
            ++replayed_;
        }
        return true;
    }
    if (length_ == 0) {
        if (crossing) {
            length_ = 1;
            started_ = frame;
        }
        return false;
    }
    // Recording: a crossing ends the cycle (a zero is appended, so the
    // replay is one frame longer than the cycle and the crossing frame is
    // in neither), a full buffer cuts it after this frame.
    ++length_;
    if (crossing || length_ == kCapacity) {
        lastCut_ = !crossing;
        endStretch(CycleStretch::Phase::recording, started_, crossing ? frame : frame + 1);
        playing_ = true;
        played_ = 0;
        started_ = frame + 1;
        ++recorded_;
        if (lastCut_) {
            ++cut_;
        }
    }
    return false;
}

std::vector<CycleStretch> CycleCounter::takeStretches() {
    std::vector<CycleStretch> taken;
    taken.swap(stretches_);
    return taken;
}

bool CycleCounter::stretchInProgress(CycleStretch& stretch) const {
    if (!playing_ && length_ == 0) {
        return false;
    }
    stretch.phase = playing_ ? CycleStretch::Phase::replay : CycleStretch::Phase::recording;
    stretch.start = started_;
    stretch.end = frame_;
    stretch.cut = playing_ && lastCut_;
    return true;
}

void CycleCounter::endStretch(CycleStretch::Phase phase, std::int64_t start, std::int64_t end) {
    if (keeping_) {
        stretches_.push_back({phase, start, end, lastCut_});
    }
}
