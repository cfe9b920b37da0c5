#include "renderer.h"

#include <algorithm>
#include <cmath>

#include "host/vst_opcodes.h"

int32 BlockPlan::next(std::int64_t remaining) {
    int32 length = blockSize_;
    if (random_) {
        state_ = state_ * 1664525u + 1013904223u;
        length = 1 + static_cast<int32>((state_ >> 8) % static_cast<std::uint32_t>(blockSize_));
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

} // namespace

bool render(const RenderOptions& options, SignalSource& source, PluginConnection& plugin,
            const RenderSink& sink, const RenderProgress& progress, RenderReport& report,
            std::string& error) {
    report.input = options.inputPath.empty() ? source.description() : options.inputPath;
    report.plugin = plugin.description();
    report.sampleRate = source.sampleRate();
    for (const TimedController& controller : options.controllers) {
        if (controller.frame >= source.frames()) {
            ++report.controllersLate;
        }
    }

    if (!setUp(options, source, plugin, report)) {
        error = plugin.error();
        return false;
    }
    if (sink.calls) {
        sink.calls("set-up", plugin.takeCalls());
    }

    BlockPlan plan(options.blockSize, options.randomBlocks, options.randomSeed);
    CycleCounter& cycles = report.cycles;
    if (sink.plot) {
        cycles.keepStretches();
    }
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
        output.resize(got);
        output.fill(0.0f); // process adds to silence; processReplacing overwrites it
        const std::vector<MidiMessage> midi =
            controllersInBlock(options.controllers, position, got);
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

        for (int32 i = 0; i < got; ++i) {
            const bool replaying = cycles.step(input.left()[i]);
            // ipvolume stays as set for the whole render (controller 1 moves
            // only ncvolume), so outside replays the output is known exactly.
            if (!replaying && output.left()[i] != input.left()[i] * options.ipvolume) {
                ++report.disagreeingFrames;
            }
        }
        report.peakIn = peakOf(input.right(), got, peakOf(input.left(), got, report.peakIn));
        report.peakOut = peakOf(output.right(), got, peakOf(output.left(), got, report.peakOut));
        if (sink.plot) {
            sink.plot(position, input.left(), output.left(), got, cycles.takeStretches());
        }
        if (sink.audio && !sink.audio(output.left(), output.right(), got)) {
            error = "cannot write the output";
            return false;
        }
        position += got;
        report.frames = position;
        ++report.blocks;
        if (progress) {
            progress(position, total);
        }
    }

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
