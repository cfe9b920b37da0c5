// Progress on stderr for renders worth waiting for: on a terminal one line
// that updates itself, for signals from a few seconds on; elsewhere (a log)
// a line per tenth, and only for long signals there.
#pragma once

#include <cstdint>
#include <cstdio>

class ProgressMeter {
public:
    // `longFrames`: from this length on, progress shows also without a
    // terminal; `terminalFrames`: from this length on, on a terminal.
    ProgressMeter(std::FILE* stream, bool terminal, std::int64_t longFrames,
                  std::int64_t terminalFrames = 0)
        : stream_(stream), terminal_(terminal), longFrames_(longFrames),
          terminalFrames_(terminalFrames) {}

    void update(std::int64_t done, std::int64_t total);
    // Ends the self-updating line.
    void finish();

private:
    std::FILE* stream_;
    bool terminal_;
    std::int64_t longFrames_;
    std::int64_t terminalFrames_;
    int lastShown = -1; // percent on a terminal, tenths elsewhere
    bool shownAny = false;
};
