#include "cycle_counter.h"

bool CycleCounter::step(float left) {
    const bool crossing = previous_ < 0.0f && left >= 0.0f;
    previous_ = left;
    if (playing_) {
        if (++played_ == length_) {
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
        }
        return false;
    }
    // Recording: a crossing ends the cycle (a zero is appended), a full
    // buffer cuts it.
    ++length_;
    if (crossing || length_ == kCapacity) {
        playing_ = true;
        played_ = 0;
        ++recorded_;
        if (!crossing) {
            ++cut_;
        }
    }
    return false;
}
