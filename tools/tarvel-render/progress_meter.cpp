#include "progress_meter.h"

void ProgressMeter::update(std::int64_t done, std::int64_t total) {
    if (total <= 0 || total < (terminal_ ? terminalFrames_ : longFrames_)) {
        return;
    }
    if (terminal_) {
        const int percent = static_cast<int>(done * 100 / total);
        if (percent != lastShown) {
            std::fprintf(stream_, "\rrendering: %3d%%", percent);
            std::fflush(stream_);
            lastShown = percent;
            shownAny = true;
        }
        return;
    }
    const int tenth = static_cast<int>(done * 10 / total);
    if (tenth != lastShown && tenth > 0) {
        std::fprintf(stream_, "rendering: %d%%\n", tenth * 10);
        lastShown = tenth;
    }
}

void ProgressMeter::finish() {
    if (terminal_ && shownAny) {
        std::fputs("\n", stream_);
        shownAny = false;
    }
}
