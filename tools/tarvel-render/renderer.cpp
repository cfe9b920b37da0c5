#include "renderer.h"

#include <algorithm>
#include <cmath>

#include "host/vst_opcodes.h"

int32 BlockPlan::next(std::int64_t remaining) {
    int32 length = blockSize_;
    if (random_) {
        state = state * 1664525u + 1013904223u;
        length = 1 + static_cast<int32>((state >> 8) % static_cast<std::uint32_t>(blockSize_));
    }
    return static_cast<int32>(std::min<std::int64_t>(length, remaining));
}

std::vector<MidiMessage> controllersInBlock(const std::vector<TimedController>& controllers,
                                            std::int64_t start, int32 frames) {
    std::vector<MidiMessage> midi;
    for (const TimedController& controller : controllers) {
        if (controller.frame >= start && controller.frame < start + frames) {
            midi.push_back(
                controller1(static_cast<int32>(controller.frame - start), controller.value));
        }
    }
    // A host hands over a block's events in time order.
    std::stable_sort(midi.begin(), midi.end(),
                     [](const MidiMessage& a, const MidiMessage& b) { return a.frame < b.frame; });
    return midi;
}

namespace {

float peakOf(const float* samples, int32 frames, float peak) {
    for (int32 i = 0; i < frames; ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return peak;
}

bool setUp(const RenderOptions& options, const SignalSource& source, PluginConnection& plugin,
           RenderReport& report) {
    if (!plugin.load()) {
        return false;
    }
    plugin.dispatch(effOpen, 0, 0, 0.0f);
    plugin.dispatch(effSetSampleRate, 0, 0, static_cast<float>(source.sampleRate()));
    plugin.dispatch(effSetBlockSize, 0, options.blockSize, 0.0f);
    plugin.setParameter(0, options.ncvolume);
    plugin.setParameter(1, options.ipvolume);
    report.effectName = plugin.dispatchText(effGetEffectName, 0);
    report.vendor = plugin.dispatchText(effGetVendorString, 0);
    plugin.dispatch(effMainsChanged, 0, 1, 0.0f);
    return !plugin.failed();
}

// What the report knows before the first block.
void startReport(const RenderOptions& options, const SignalSource& source,
                 const PluginConnection& plugin, RenderReport& report) {
    report.input = options.inputPath.empty() ? source.description() : options.inputPath;
    report.plugin = plugin.description();
    report.sampleRate = source.sampleRate();
    for (const TimedController& controller : options.controllers) {
        if (controller.frame >= source.frames()) {
            ++report.controllersLate;
        }
    }
}

// Runs one block from frame `position` through the plug-in with the
// controllers that fall inside it, and hands on the host calls it made.
bool runThroughPlugin(const RenderOptions& options, PluginConnection& plugin,
                      const RenderSink& sink, std::int64_t position, StereoBuffer& input,
                      StereoBuffer& output, RenderReport& report, std::string& error) {
    const int32 frames = input.frames();
    output.resize(frames);
    output.fill(0.0f); // process adds to silence; processReplacing overwrites it
    const std::vector<MidiMessage> midi = controllersInBlock(options.controllers, position, frames);
    report.controllersSent += static_cast<int>(midi.size());

    plugin.processBlock(midi, input, output, options.mode);
    if (plugin.failed()) {
        error = plugin.error();
        return false;
    }
    const std::vector<HostCall> calls = plugin.takeCalls();
    report.midiRelayed += static_cast<int>(relayedMidi(calls).size());
    if (sink.calls) {
        sink.calls("block " + std::to_string(report.blocks), calls);
    }
    return true;
}

// Counts the block's cycles, the frames that disagree with them, and the peaks.
void measureBlock(const RenderOptions& options, const StereoBuffer& input,
                  const StereoBuffer& output, RenderReport& report) {
    const int32 frames = input.frames();
    for (int32 i = 0; i < frames; ++i) {
        const bool replaying = report.cycles.step(input.left()[i]);
        // ipvolume stays as set for the whole render (controller 1 moves
        // only ncvolume), so outside replays the output is known exactly.
        if (!replaying && output.left()[i] != input.left()[i] * options.ipvolume) {
            ++report.disagreeingFrames;
        }
    }
    report.peakIn = peakOf(input.right(), frames, peakOf(input.left(), frames, report.peakIn));
    report.peakOut = peakOf(output.right(), frames, peakOf(output.left(), frames, report.peakOut));
}

// Hands the finished block to the plot and the output.
bool deliverBlock(const RenderSink& sink, std::int64_t position, const StereoBuffer& input,
                  const StereoBuffer& output, CycleCounter& cycles, std::string& error) {
    const int32 frames = input.frames();
    if (sink.plot) {
        sink.plot(position, input.left(), output.left(), frames, cycles.takeStretches());
    }
    if (sink.audio && !sink.audio(output.left(), output.right(), frames)) {
        error = "cannot write the output";
        return false;
    }
    return true;
}

// The signal block by block through the plug-in, as far as the source gives.
bool runBlocks(const RenderOptions& options, SignalSource& source, PluginConnection& plugin,
               const RenderSink& sink, const RenderProgress& progress, RenderReport& report,
               std::string& error) {
    BlockPlan plan(options.blockSize, options.randomBlocks, options.randomSeed);
    StereoBuffer input;
    StereoBuffer output;
    const std::int64_t total = source.frames();
    std::int64_t position = 0;
    while (position < total) {
        const int32 wanted = plan.next(total - position);
        input.resize(wanted);
        const auto got = static_cast<int32>(source.read(input.left(), input.right(), wanted));
        if (got <= 0) {
            break; // the file ended before the length it gave
        }
        input.resize(got);
        if (!runThroughPlugin(options, plugin, sink, position, input, output, report, error)) {
            return false;
        }
        measureBlock(options, input, output, report);
        if (!deliverBlock(sink, position, input, output, report.cycles, error)) {
            return false;
        }
        position += got;
        report.frames = position;
        ++report.blocks;
        if (progress) {
            progress(position, total);
        }
    }
    return true;
}

// Stops and closes the plug-in as a host does at the end.
bool tearDown(PluginConnection& plugin, const RenderSink& sink, std::string& error) {
    plugin.dispatch(effMainsChanged, 0, 0, 0.0f);
    plugin.close();
    if (sink.calls) {
        sink.calls("close", plugin.takeCalls());
    }
    if (plugin.failed()) {
        error = plugin.error();
        return false;
    }
    return true;
}

} // namespace

bool render(const RenderOptions& options, SignalSource& source, PluginConnection& plugin,
            const RenderSink& sink, const RenderProgress& progress, RenderReport& report,
            std::string& error) {
    startReport(options, source, plugin, report);
    if (!setUp(options, source, plugin, report)) {
        error = plugin.error();
        return false;
    }
    if (sink.calls) {
        sink.calls("set-up", plugin.takeCalls());
    }
    if (sink.plot) {
        report.cycles.keepStretches();
    }
    return runBlocks(options, source, plugin, sink, progress, report, error) &&
           tearDown(plugin, sink, error);
}
