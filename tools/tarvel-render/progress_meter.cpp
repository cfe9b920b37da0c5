#include "progress_meter.h"

void ProgressMeter::update(std::int64_t done, std::int64_t total) {
    if (total <= 0 || total < (terminal_ ? terminalFrames_ : longFrames_)) {
        return;
    }
    if (terminal_) {
        const int percent = static_cast<int>(done * 100 / total);
        if (percent != lastShown_) {
            std::fprintf(stream_, "\rrendering: %3d%%", percent);
            std::fflush(stream_);
            lastShown_ = percent;
            shownAny_ = true;
        }
        return;
    }
    const int tenth = static_cast<int>(done * 10 / total);
    if (tenth != lastShown_ && tenth > 0) {
        std::fprintf(stream_, "rendering: %d%%\n", tenth * 10);
        lastShown_ = tenth;
    }
}

void ProgressMeter::finish() {
    if (terminal_ && shownAny_) {
        std::fputs("\n", stream_);
        shownAny_ = false;
    }
}
