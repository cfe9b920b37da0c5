#include "render_plot.h"

#include <cstdio>

#include "summary.h"

namespace {

std::string gainText(float gain) {
    char value[32];
    std::snprintf(value, sizeof value, "%.3f", static_cast<double>(gain));
    return std::string(value) + " (" + decibels(gain) + ")";
}

// Controller 1 sets ncvolume to its value over 127.
float controllerGain(int value) {
    return static_cast<float>(value) / 127.0f;
}

} // namespace

std::unique_ptr<PlotData> preparePlot(const RenderOptions& options, const SignalSource& source,
                                      std::string& error) {
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (!options.plotRange.resolve(source.sampleRate(), source.frames(), first, last, error)) {
        return nullptr;
    }
    auto plot = std::make_unique<PlotData>(first, last, source.sampleRate(), kPlotColumns);
    // The last controller before the first frame sets what is in force
    // there; several on one frame act in the order given.
    float ncvolume = options.ncvolume;
    const TimedController* latest = nullptr;
    for (const TimedController& controller : options.controllers) {
        if (controller.frame < first && (latest == nullptr || controller.frame >= latest->frame)) {
            latest = &controller;
        }
    }
    if (latest != nullptr) {
        ncvolume = controllerGain(latest->value);
    }
    plot->settings = "ncvolume " + gainText(ncvolume) + ", ipvolume " + gainText(options.ipvolume);
    for (const TimedController& controller : options.controllers) {
        plot->addMark(controller.frame, "CC1 " + std::to_string(controller.value) + ": ncvolume " +
                                            gainText(controllerGain(controller.value)));
    }
    return plot;
}

void finishPlot(PlotData& plot, const RenderOptions& options, const RenderReport& report) {
    const std::string input = options.inputPath.empty() ? report.input : options.inputPath;
    plot.title = input + " through " + report.effectName + " (" + report.plugin + ")";
    const CycleCounter& cycles = report.cycles;
    plot.counts = "whole render: " + std::to_string(cycles.recorded()) + " cycles recorded, " +
                  std::to_string(cycles.replayed()) + " replayed in full";
    CycleStretch running;
    if (cycles.stretchInProgress(running)) {
        plot.addStretches({running});
    }
}
