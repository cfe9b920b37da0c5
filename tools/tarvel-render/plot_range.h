// The stretch of a render that --plot draws: START:END, each a frame number
// or a time in seconds, either one left out for the start or end of the
// signal.
#pragma once

#include <cstdint>
#include <string>

struct PlotRange {
    // One end: a plain integer is a frame; a number with a decimal point or
    // an "s" after it is seconds.
    struct Point {
        bool given = false;
        double value = 0.0;
        bool seconds = false;
    };
    Point start;
    Point end;

    // Parses "START:END"; false for anything else or a negative value.
    static bool parse(const std::string& text, PlotRange& range);

    // The frames [first, last) of a signal of `frames` frames at
    // `sampleRate`; an end past the signal stops at its end. False with
    // `error` set when nothing of the signal is left to draw.
    bool resolve(double sampleRate, std::int64_t frames, std::int64_t& first, std::int64_t& last,
                 std::string& error) const;
};
