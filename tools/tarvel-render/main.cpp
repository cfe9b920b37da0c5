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

// What one run opens: the signal, the plug-in and the files it writes.
// Members end in the reverse order: the files first, the signal last.
struct RenderFiles {
    std::unique_ptr<SignalSource> source;
    std::unique_ptr<PluginConnection> plugin;
    std::unique_ptr<PlotData> plot;
    WavWriter writer;
    std::ofstream hostLog;
};

// --dll without --server: the project's plug-in server of the library's width.
bool chooseServer(RenderOptions& options, std::string& error) {
    if (options.dllPath.empty() || !options.serverPath.empty()) {
        return true;
    }
    const int width = windowsLibraryWidth(options.dllPath, error);
    if (width == 0) {
        return false;
    }
    options.serverPath = width == 64 ? TARVEL_PLUGIN_SERVER_64 : TARVEL_PLUGIN_SERVER_32;
    return true;
}

// Opens the signal, the plug-in and the files, stopping at the first that fails.
bool openAll(const RenderOptions& options, RenderFiles& files, std::string& error) {
    files.source = options.inputPath.empty() ? makeBuiltInSignal(options.signalName)
                                             : openSignalFile(options.inputPath, error);
    if (files.source == nullptr) {
        return false;
    }
    files.plugin = connectPlugin(options);
    if (!options.plotPath.empty() || !options.plotDataPath.empty()) {
        files.plot = preparePlot(options, *files.source, error);
        if (files.plot == nullptr) {
            return false;
        }
    }
    if (!files.writer.open(options.outputPath, static_cast<int>(files.source->sampleRate()),
                           error)) {
        return false;
    }
    if (!options.hostLogPath.empty()) {
        files.hostLog.open(options.hostLogPath);
        if (!files.hostLog) {
            error = "cannot write " + options.hostLogPath;
            return false;
        }
    }
    return true;
}

// Where each block goes: the output file, the host log and the plot, where asked.
RenderSink sinkInto(RenderFiles& files) {
    RenderSink sink;
    sink.audio = [&files](const float* left, const float* right, std::int64_t frames) {
        return files.writer.write(left, right, frames);
    };
    if (files.hostLog.is_open()) {
        sink.calls = [&files](const std::string& phase, const std::vector<HostCall>& calls) {
            writeHostCalls(files.hostLog, phase, calls);
        };
    }
    if (files.plot != nullptr) {
        sink.plot = [&files](std::int64_t position, const float* input, const float* output,
                             std::int64_t frames, const std::vector<CycleStretch>& ended) {
            files.plot->addBlock(position, input, output, frames);
            files.plot->addStretches(ended);
        };
    }
    return sink;
}

// Renders with the progress shown as the options and the terminal allow, then
// ends the plug-in (and its server, if there is one). A failed render leaves
// no output file.
bool renderShowingProgress(const RenderOptions& options, RenderFiles& files, RenderReport& report,
                           std::string& error) {
    ProgressMeter meter(
        stderr, isatty(STDERR_FILENO) != 0, kLongRender,
        static_cast<std::int64_t>(kWorthShowingSeconds * files.source->sampleRate()));
    RenderProgress progress;
    if (!options.quiet) {
        progress = [&meter](std::int64_t done, std::int64_t total) { meter.update(done, total); };
    }
    const bool rendered =
        render(options, *files.source, *files.plugin, sinkInto(files), progress, report, error);
    meter.finish();
    files.plugin.reset(); // ends the plug-in server, if there is one
    if (!rendered) {
        files.writer.close();
        std::remove(options.outputPath.c_str());
    }
    return rendered;
}

// Finishes the output file and the host log; false when either was not all written.
bool closeFiles(const RenderOptions& options, RenderFiles& files, std::string& error) {
    if (!files.writer.close()) {
        error = "cannot finish " + options.outputPath;
        return false;
    }
    if (files.hostLog.is_open()) {
        files.hostLog.close();
        if (!files.hostLog) {
            error = "cannot finish " + options.hostLogPath;
            return false;
        }
    }
    return true;
}

// The summary, unless quiet, and the plot, where asked.
bool reportRender(const RenderOptions& options, RenderFiles& files, const RenderReport& report,
                  std::string& error) {
    if (!options.quiet) {
        std::cout << formatSummary(options, report);
    }
    if (files.plot == nullptr) {
        return true;
    }
    finishPlot(*files.plot, options, report);
    std::cout.flush();
    return savePlot(options, *files.plot, error);
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
    RenderFiles files;
    RenderReport report;
    if (!chooseServer(options, error) || !openAll(options, files, error) ||
        !renderShowingProgress(options, files, report, error) ||
        !closeFiles(options, files, error) || !reportRender(options, files, report, error)) {
        return fail(error);
    }
    return 0;
}
