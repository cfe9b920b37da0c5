// Progress on stderr for renders worth waiting for: on a terminal one line
// that updates itself, elsewhere (a log) a line per tenth, and only for long
// signals there.
#pragma once

#include <cstdint>
#include <cstdio>

class ProgressMeter {
public:
    // `longFrames`: from this length on, progress shows also without a terminal.
    ProgressMeter(std::FILE* stream, bool terminal, std::int64_t longFrames)
        : stream_(stream), terminal_(terminal), longFrames_(longFrames) {}

    void update(std::int64_t done, std::int64_t total);
    // Ends the self-updating line.
    void finish();

private:
    std::FILE* stream_;
    bool terminal_;
    std::int64_t longFrames_;
    int lastShown_ = -1; // percent on a terminal, tenths elsewhere
    bool shownAny_ = false;
};
