#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool parseInteger(const std::string& text, std::int64_t& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') {
        return false;
    }
    value = parsed;
    return true;
}

bool parseGain(const std::string& text, float& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed) || parsed < 0.0 || parsed > 1.0) {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

// FRAME:VALUE, frame from 0, value a MIDI data byte.
bool parseController(const std::string& text, TimedController& controller) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::int64_t frame = 0;
    std::int64_t value = 0;
    if (!parseInteger(text.substr(0, colon), frame) ||
        !parseInteger(text.substr(colon + 1), value) || frame < 0 || value < 0 || value > 127) {
        return false;
    }
    controller.frame = frame;
    controller.value = static_cast<int>(value);
    return true;
}

} // namespace

bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "-h" || arg == "--help") {
            options.showHelp = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(options.outputPath)) {
                return false;
            }
        } else if (arg == "--signal") {
            if (!value(text)) {
                return false;
            }
            if (text != "default" && text != "noise" && text != "slow") {
                error = "unknown signal '" + text + "' (default, noise or slow)";
                return false;
            }
            options.signalName = text;
        } else if (arg == "--ncvolume" || arg == "--ipvolume") {
            if (!value(text)) {
                return false;
            }
            float& gain = arg == "--ncvolume" ? options.ncvolume : options.ipvolume;
            if (!parseGain(text, gain)) {
                error = arg + " takes a value from 0 to 1, not '" + text + "'";
                return false;
            }
        } else if (arg == "--block-size") {
            std::int64_t frames = 0;
            if (!value(text)) {
                return false;
            }
            if (!parseInteger(text, frames) || frames < 1 || frames > 65536) {
                error = "--block-size takes 1 to 65536 frames, not '" + text + "'";
                return false;
            }
            options.blockSize = static_cast<int32>(frames);
        } else if (arg == "--random-blocks") {
            std::int64_t seed = 0;
            if (!value(text)) {
                return false;
            }
            if (!parseInteger(text, seed) || seed < 0 || seed > 0xFFFFFFFFll) {
                error = "--random-blocks takes a seed from 0 to 4294967295, not '" + text + "'";
                return false;
            }
            options.randomBlocks = true;
            options.randomSeed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--cc1") {
            TimedController controller;
            if (!value(text)) {
                return false;
            }
            if (!parseController(text, controller)) {
                error = "--cc1 takes FRAME:VALUE with a frame from 0 and a value from 0 to 127, "
                        "not '" +
                        text + "'";
                return false;
            }
            options.controllers.push_back(controller);
        } else if (arg == "--replacing") {
            options.mode = ProcessMode::replacing;
        } else if (arg == "--accumulating") {
            options.mode = ProcessMode::accumulating;
        } else if (arg == "--plugin") {
            if (!value(options.pluginPath)) {
                return false;
            }
        } else if (arg == "--dll") {
            if (!value(options.dllPath)) {
                return false;
            }
        } else if (arg == "--server") {
            if (!value(options.serverPath)) {
                return false;
            }
        } else if (arg == "--wine") {
            if (!value(options.winePath)) {
                return false;
            }
        } else if (arg == "--host-log") {
            if (!value(options.hostLogPath)) {
                return false;
            }
        } else if (arg == "--plot") {
            if (!value(options.plotPath)) {
                return false;
            }
        } else if (arg == "--plot-data") {
            if (!value(options.plotDataPath)) {
                return false;
            }
        } else if (arg == "--plot-range") {
            if (!value(text)) {
                return false;
            }
            if (!PlotRange::parse(text, options.plotRange)) {
                error = "--plot-range takes START:END in frames (22050) or seconds (0.5 or 2s), "
                        "not '" +
                        text + "'";
                return false;
            }
        } else if (arg == "-q" || arg == "--quiet") {
            options.quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (options.showHelp) {
        return true;
    }
    // INPUT OUTPUT, or only OUTPUT for the built-in signal; -o names the
    // output instead.
    if (options.outputPath.empty() && !positional.empty()) {
        options.outputPath = positional.back();
        positional.pop_back();
    }
    if (positional.size() > 1) {
        error = "one input file at most";
        return false;
    }
    if (!positional.empty()) {
        options.inputPath = positional.front();
    }
    if (options.outputPath.empty()) {
        error = "no output file";
        return false;
    }
    if (!options.pluginPath.empty() && !options.dllPath.empty()) {
        error = "--plugin and --dll each name the plug-in to run: give one";
        return false;
    }
    if (!options.inputPath.empty() && options.inputPath == options.outputPath) {
        error = "the output would overwrite the input";
        return false;
    }
    if ((options.plotRange.start.given || options.plotRange.end.given) &&
        options.plotPath.empty() && options.plotDataPath.empty()) {
        error = "--plot-range needs --plot or --plot-data";
        return false;
    }
    for (const std::string* written : {&options.plotPath, &options.plotDataPath}) {
        if (!written->empty() &&
            (*written == options.outputPath || *written == options.inputPath)) {
            error = "the plot would overwrite " + *written;
            return false;
        }
    }
    return true;
}

std::string renderUsage() {
    return R"(usage: tarvel-render [options] [INPUT.wav] OUTPUT.wav

Runs a WAV file (or, without INPUT, a built-in test signal) through the
Tarvel plug-in and writes the result as a stereo 32-bit float WAV file.
On a terminal it shows its progress for files of 5 seconds and more
(not with -q).

  -o, --output FILE      where the result goes (instead of OUTPUT.wav)
  --signal NAME          built-in signal when there is no INPUT:
                           default  2 s of sine, square and saw waves and silence
                           noise    1 s of white noise
                           slow     1.5 s of a slow sine (cycles longer than the effect holds)
  --ncvolume GAIN        gain of the replayed cycle, 0 to 1 (default 1)
  --ipvolume GAIN        gain of the live input, 0 to 1 (default 1)
  --block-size FRAMES    largest audio block (default 512)
  --random-blocks SEED   blocks of random length from 1 to the block size
  --cc1 FRAME:VALUE      send MIDI controller 1 (value 0 to 127) at that frame;
                         repeatable. Controller 1 sets ncvolume to VALUE/127.
  --replacing            overwrite the output buffers (default)
  --accumulating         let the plug-in add to silent output buffers
  --plugin PATH          run this native plug-in (libtarvel-vst.so) in process
                         instead of the built-in copy
  --dll PATH             run this TARVEL.dll under Wine instead of the built-in copy
  --server PATH          the plugin-server.exe to run it with (default: the one of the
                         project's build of the library's width, 32 or 64 bits)
  --wine PATH            the program that runs Windows programs (scripts/wine-run)
  --host-log FILE        write every call the plug-in made to the host
  --plot FILE.png        draw the left input and the output one above the
                         other, with the recorded and replayed cycles shaded
                         and the controller 1 changes marked (needs python3
                         with matplotlib; skipped with a note without them)
  --plot-range START:END the frames to draw: frame numbers (22050:26460) or
                         seconds (0.5:0.6 or 1s:2s); either end may be left out
  --plot-data FILE.json  also keep the plot's data
  -q, --quiet            no summary

With --plugin, a folder (such as tarvel.lv2) is loaded as an LV2 bundle, a
file ending in .clap (Tarvel.clap) as a CLAP plug-in.
)";
}
