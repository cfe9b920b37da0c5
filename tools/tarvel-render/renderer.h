// One render: the plug-in set up as a host does it, the signal run through it
// block by block with the requested MIDI, the result written to a file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cycle_counter.h"
#include "harness/host_call.h"
#include "plugin_connection.h"
#include "render_options.h"
#include "signal_source.h"

struct RenderReport {
    std::string input;      // what was rendered
    std::string plugin;     // where the plug-in ran
    std::string effectName; // as the plug-in names itself
    std::string vendor;
    double sampleRate = 0.0;
    std::int64_t frames = 0;
    std::int64_t blocks = 0;
    float peakIn = 0.0f;  // largest magnitude of either input channel
    float peakOut = 0.0f; // of either output channel
    int controllersSent = 0;
    int controllersLate = 0; // --cc1 frames past the end of the signal
    int midiRelayed = 0;     // MIDI events the plug-in sent back to the host
    CycleCounter cycles;
    // Frames outside the replays where the output differs from the input
    // times ipvolume; 0 when the cycle count above agrees with the audio.
    std::int64_t disagreeingFrames = 0;
};

// Receives each block as it is finished: frames done so far of the total.
using RenderProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Receives each block's output and the host calls made during the block.
struct RenderSink {
    std::function<bool(const float* left, const float* right, std::int64_t frames)> audio;
    // `phase` is "set-up", "block N" (from 0) or "close".
    std::function<void(const std::string& phase, const std::vector<HostCall>& calls)> calls;
    // When set, receives each block's left input and left output from frame
    // `position` on, with the cycle stretches that ended by its last frame.
    std::function<void(std::int64_t position, const float* input, const float* output,
                       std::int64_t frames, const std::vector<CycleStretch>& ended)>
        plot;
};

// The block lengths of a render: all `blockSize` long (the last one
// shorter), or random from 1 to `blockSize` from a fixed generator.
class BlockPlan {
public:
    BlockPlan(int32 blockSize, bool random, std::uint32_t seed)
        : blockSize_(blockSize), random_(random), state(seed) {}
    int32 next(std::int64_t remaining);

private:
    int32 blockSize_;
    bool random_;
    std::uint32_t state;
};

// The controller messages that fall inside [start, start + frames), with
// frames relative to the block.
std::vector<MidiMessage> controllersInBlock(const std::vector<TimedController>& controllers,
                                            std::int64_t start, int32 frames);

// Runs the render; false with `error` set when the plug-in or the output fails.
bool render(const RenderOptions& options, SignalSource& source, PluginConnection& plugin,
            const RenderSink& sink, const RenderProgress& progress, RenderReport& report,
            std::string& error);
