#include "render_plot.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "plot_drawing.h"
#include "summary.h"

#ifndef TARVEL_PLOT_SCRIPT
#define TARVEL_PLOT_SCRIPT "draw_plot.py"
#endif

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

// The Python that draws plots: $TARVEL_PYTHON when set, else the system's
// own (the one Debian's python3-matplotlib belongs to), else python3 on PATH.
std::string plotPython() {
    const char* chosen = std::getenv("TARVEL_PYTHON");
    if (chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    if (access("/usr/bin/python3", X_OK) == 0) {
        return "/usr/bin/python3";
    }
    return "python3";
}

// Whether a file can be made at `path`: its folder is there and writable.
bool canWrite(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    return access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::unique_ptr<PlotData> preparePlot(const RenderOptions& options, const SignalSource& source,
                                      std::string& error) {
    // Found out before a render that may be long, not after it.
    for (const std::string* path : {&options.plotPath, &options.plotDataPath}) {
        if (!path->empty() && !canWrite(*path)) {
            error = "cannot write " + *path;
            return nullptr;
        }
    }
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

bool savePlot(const RenderOptions& options, const PlotData& plot, std::string& error) {
    std::ostringstream json;
    plot.writeJson(json);
    if (!options.plotDataPath.empty()) {
        std::ofstream data(options.plotDataPath);
        data << json.str();
        data.close();
        if (!data) {
            error = "cannot write " + options.plotDataPath;
            return false;
        }
    }
    if (options.plotPath.empty()) {
        return true;
    }
    const PlotDrawing drawing =
        drawPlot(plotPython(), TARVEL_PLOT_SCRIPT, json.str(), options.plotPath);
    switch (drawing.outcome) {
    case PlotDrawing::Outcome::drawn:
        if (!options.quiet) {
            std::cout << "  plot: " << options.plotPath << "\n";
        }
        return true;
    case PlotDrawing::Outcome::skipped:
        std::cerr << "tarvel-render: plot skipped: " << drawing.reason << "\n";
        return true;
    case PlotDrawing::Outcome::failed:
        break;
    }
    error = "cannot draw " + options.plotPath + ": " + drawing.reason;
    return false;
}
