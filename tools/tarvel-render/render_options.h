// tarvel-render's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "plot_range.h"

// A controller 1 message at an absolute frame of the signal.
struct TimedController {
    std::int64_t frame = 0;
    int value = 0;
};

struct RenderOptions {
    std::string inputPath;              // empty: a built-in signal
    std::string signalName = "default"; // which built-in signal
    std::string outputPath;
    float ncvolume = 1.0f;
    float ipvolume = 1.0f;
    int32 blockSize = 512;
    bool randomBlocks = false; // block lengths drawn from 1 to blockSize
    std::uint32_t randomSeed = 1;
    std::vector<TimedController> controllers;
    ProcessMode mode = ProcessMode::replacing;
    std::string pluginPath; // a native plug-in library, loaded in process
    std::string dllPath;    // empty: the plug-in linked into tarvel-render
    std::string serverPath; // plugin-server.exe
    std::string winePath;   // the program that runs it (scripts/wine-run)
    std::string hostLogPath;
    bool quiet = false;
    std::string plotPath;     // --plot: a PNG of input, output and cycle stretches
    std::string plotDataPath; // --plot-data: the plot's data as JSON
    PlotRange plotRange;      // --plot-range: the frames plotted (default all)
    bool showHelp = false;
};

// Fills `options` from the arguments after the program name. The server and
// wine paths start as given in `options`. False with `error` set for an
// unknown option, a missing or malformed value, or a value out of range.
bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error);

std::string renderUsage();
