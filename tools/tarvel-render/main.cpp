// tarvel-render: runs audio through the Tarvel plug-in and writes the result.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "host_log.h"
#include "plugin_connection.h"
#include "progress_meter.h"
#include "render_options.h"
#include "render_plot.h"
#include "renderer.h"
#include "summary.h"
#include "wav_writer.h"
#include "windows_library.h"

// The plug-in servers of the project's two Windows build trees: --dll runs a
// library in the one of its own width unless --server names another.
#ifndef TARVEL_PLUGIN_SERVER_32
#define TARVEL_PLUGIN_SERVER_32 ""
#endif
#ifndef TARVEL_PLUGIN_SERVER_64
#define TARVEL_PLUGIN_SERVER_64 ""
#endif
#ifndef TARVEL_DEFAULT_WINE_RUN
#define TARVEL_DEFAULT_WINE_RUN "wine"
#endif

namespace {

// Ten minutes of audio at 44.1 kHz: renders this long report progress even
// into a log.
constexpr std::int64_t kLongRender = 10 * 60 * 44100;
// On a terminal, progress shows for signals from this many seconds on.
constexpr double kWorthShowingSeconds = 5.0;

int fail(const std::string& message) {
    std::cerr << "tarvel-render: " << message << "\n";
    return 1;
}

// The plug-in the options name: TARVEL.dll under Wine, a native plug-in
// loaded in process, or the copy built into tarvel-render.
std::unique_ptr<PluginConnection> connectPlugin(const RenderOptions& options) {
    if (!options.dllPath.empty()) {
        return connectPluginServer(options.dllPath, options.serverPath, options.winePath);
    }
    if (!options.pluginPath.empty()) {
        if (isLv2Bundle(options.pluginPath)) {
            return connectLv2Bundle(options.pluginPath);
        }
        return isClapPlugin(options.pluginPath) ? connectClapPlugin(options.pluginPath)
                                                : connectNativeLibrary(options.pluginPath);
    }
    return connectLinkedPlugin();
}

} // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    options.winePath = TARVEL_DEFAULT_WINE_RUN;
    std::string error;
    if (!parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "tarvel-render: " << error << "\n\n" << renderUsage();
        return 2;
    }
    if (options.showHelp) {
        std::cout << renderUsage();
        return 0;
    }

    if (!options.dllPath.empty() && options.serverPath.empty()) {
        const int width = windowsLibraryWidth(options.dllPath, error);
        if (width == 0) {
            return fail(error);
        }
        options.serverPath = width == 64 ? TARVEL_PLUGIN_SERVER_64 : TARVEL_PLUGIN_SERVER_32;
    }

    std::unique_ptr<SignalSource> source = options.inputPath.empty()
                                               ? makeBuiltInSignal(options.signalName)
                                               : openSignalFile(options.inputPath, error);
    if (source == nullptr) {
        return fail(error);
    }
    std::unique_ptr<PluginConnection> plugin = connectPlugin(options);

    std::unique_ptr<PlotData> plot;
    if (!options.plotPath.empty() || !options.plotDataPath.empty()) {
        plot = preparePlot(options, *source, error);
        if (plot == nullptr) {
            return fail(error);
        }
    }

    WavWriter writer;
    if (!writer.open(options.outputPath, static_cast<int>(source->sampleRate()), error)) {
        return fail(error);
    }
    std::ofstream hostLog;
    if (!options.hostLogPath.empty()) {
        hostLog.open(options.hostLogPath);
        if (!hostLog) {
            return fail("cannot write " + options.hostLogPath);
        }
    }

    RenderSink sink;
    sink.audio = [&writer](const float* left, const float* right, std::int64_t frames) {
        return writer.write(left, right, frames);
    };
    if (hostLog.is_open()) {
        sink.calls = [&hostLog](const std::string& phase, const std::vector<HostCall>& calls) {
            writeHostCalls(hostLog, phase, calls);
        };
    }
    if (plot != nullptr) {
        sink.plot = [&plot](std::int64_t position, const float* input, const float* output,
                            std::int64_t frames, const std::vector<CycleStretch>& ended) {
            plot->addBlock(position, input, output, frames);
            plot->addStretches(ended);
        };
    }
    ProgressMeter meter(stderr, isatty(STDERR_FILENO) != 0, kLongRender,
                        static_cast<std::int64_t>(kWorthShowingSeconds * source->sampleRate()));
    RenderProgress progress;
    if (!options.quiet) {
        progress = [&meter](std::int64_t done, std::int64_t total) { meter.update(done, total); };
    }
    RenderReport report;
    const bool rendered = render(options, *source, *plugin, sink, progress, report, error);
    meter.finish();
    plugin.reset(); // ends the plug-in server, if there is one
    if (!rendered) {
        writer.close();
        std::remove(options.outputPath.c_str());
        return fail(error);
    }
    if (!writer.close()) {
        return fail("cannot finish " + options.outputPath);
    }
    if (hostLog.is_open()) {
        hostLog.close();
        if (!hostLog) {
            return fail("cannot finish " + options.hostLogPath);
        }
    }
    if (!options.quiet) {
        std::cout << formatSummary(options, report);
    }
    if (plot != nullptr) {
        finishPlot(*plot, options, report);
        std::cout.flush();
        if (!savePlot(options, *plot, error)) {
            return fail(error);
        }
    }
    return 0;
}
