// A long run of one plug-in instance as a host drives it: a test signal that
// changes character every second and a half (cycles of every length from 2
// to 12000 samples, noise, silence), 64-frame blocks through both process
// calls, controller 1, notes and program changes, and parameter changes.
// Everything is computed with plain float arithmetic, so the run produces
// the same samples natively and in the 32-bit Windows build; a hash of the
// output lets the two be compared.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "harness/stereo_buffer.h"

constexpr int32 kLongRunBlockFrames = 64;
// An hour at 44.1 kHz in blocks of 64 frames.
constexpr long long kHourOfBlocks = 44100LL * 3600 / kLongRunBlockFrames;

struct LongRunResult {
    long long blocks = 0;
    long long nonFinite = 0;                      // output samples that are no number or infinite
    long long channelsDiffer = 0;                 // frames whose two outputs differ
    long long relayed = 0;                        // MIDI events the plug-in sent back
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the left output's bits
    float peak = 0.0f;
};

// One line with every figure, the same format on both builds.
std::string describe(const LongRunResult& result);

class LongRun {
public:
    // `variant` picks a different signal and parameter pattern, so that
    // instances running side by side each do something of their own.
    LongRun(PluginHost& host, std::uint32_t variant = 0);

    // Runs the next `blocks` blocks; a run may be split into several calls.
    void run(long long blocks);
    const LongRunResult& result() const { return result_; }

private:
    void fillInput();
    std::vector<MidiMessage> blockMidi() const;
    void account();

    PluginHost& host_;
    std::uint32_t variant_;
    std::uint32_t noise;
    int32 period_ = 100;
    int kind = 0;
    long long frame = 0;
    StereoBuffer input{kLongRunBlockFrames};
    StereoBuffer output{kLongRunBlockFrames};
    LongRunResult result_;
};
