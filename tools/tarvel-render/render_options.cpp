#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <utility>

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

// The values an option accepts, checked and stored. Each takes the option as
// given (for the message) and its value; false with `error` set.
bool setSignal(const std::string&, const std::string& text, RenderOptions& options,
               std::string& error) {
    if (text != "default" && text != "noise" && text != "slow") {
        error = "unknown signal '" + text + "' (default, noise or slow)";
        return false;
    }
    options.signalName = text;
    return true;
}

template <float RenderOptions::*gain>
bool setGain(const std::string& name, const std::string& text, RenderOptions& options,
             std::string& error) {
    if (!parseGain(text, options.*gain)) {
        error = name + " takes a value from 0 to 1, not '" + text + "'";
        return false;
    }
    return true;
}

bool setBlockSize(const std::string&, const std::string& text, RenderOptions& options,
                  std::string& error) {
    std::int64_t frames = 0;
    if (!parseInteger(text, frames) || frames < 1 || frames > 65536) {
        error = "--block-size takes 1 to 65536 frames, not '" + text + "'";
        return false;
    }
    options.blockSize = static_cast<int32>(frames);
    return true;
}

bool setRandomBlocks(const std::string&, const std::string& text, RenderOptions& options,
                     std::string& error) {
    std::int64_t seed = 0;
    if (!parseInteger(text, seed) || seed < 0 || seed > 0xFFFFFFFFll) {
        error = "--random-blocks takes a seed from 0 to 4294967295, not '" + text + "'";
        return false;
    }
    options.randomBlocks = true;
    options.randomSeed = static_cast<std::uint32_t>(seed);
    return true;
}

bool addController(const std::string&, const std::string& text, RenderOptions& options,
                   std::string& error) {
    TimedController controller;
    if (!parseController(text, controller)) {
        error = "--cc1 takes FRAME:VALUE with a frame from 0 and a value from 0 to 127, not '" +
                text + "'";
        return false;
    }
    options.controllers.push_back(controller);
    return true;
}

bool setPlotRange(const std::string&, const std::string& text, RenderOptions& options,
                  std::string& error) {
    if (!PlotRange::parse(text, options.plotRange)) {
        error = "--plot-range takes START:END in frames (22050) or seconds (0.5 or 2s), not '" +
                text + "'";
        return false;
    }
    return true;
}

// Paths are taken as given; what they name is checked when it is opened.
template <std::string RenderOptions::*path>
bool setPath(const std::string&, const std::string& text, RenderOptions& options, std::string&) {
    options.*path = text;
    return true;
}

// The options that take no value.
bool showHelp(const std::string&, const std::string&, RenderOptions& options, std::string&) {
    options.showHelp = true;
    return true;
}

bool setReplacing(const std::string&, const std::string&, RenderOptions& options, std::string&) {
    options.mode = ProcessMode::replacing;
    return true;
}

bool setAccumulating(const std::string&, const std::string&, RenderOptions& options, std::string&) {
    options.mode = ProcessMode::accumulating;
    return true;
}

bool setQuiet(const std::string&, const std::string&, RenderOptions& options, std::string&) {
    options.quiet = true;
    return true;
}

using ApplyOption = bool (*)(const std::string& name, const std::string& value,
                             RenderOptions& options, std::string& error);

struct OptionRule {
    const char* shortName; // nullptr: none
    const char* longName;
    bool takesValue;
    ApplyOption apply;
};

constexpr OptionRule kOptions[] = {
    {"-h", "--help", false, showHelp},
    {"-o", "--output", true, setPath<&RenderOptions::outputPath>},
    {nullptr, "--signal", true, setSignal},
    {nullptr, "--ncvolume", true, setGain<&RenderOptions::ncvolume>},
    {nullptr, "--ipvolume", true, setGain<&RenderOptions::ipvolume>},
    {nullptr, "--block-size", true, setBlockSize},
    {nullptr, "--random-blocks", true, setRandomBlocks},
    {nullptr, "--cc1", true, addController},
    {nullptr, "--replacing", false, setReplacing},
    {nullptr, "--accumulating", false, setAccumulating},
    {nullptr, "--plugin", true, setPath<&RenderOptions::pluginPath>},
    {nullptr, "--dll", true, setPath<&RenderOptions::dllPath>},
    {nullptr, "--server", true, setPath<&RenderOptions::serverPath>},
    {nullptr, "--wine", true, setPath<&RenderOptions::winePath>},
    {nullptr, "--host-log", true, setPath<&RenderOptions::hostLogPath>},
    {nullptr, "--plot", true, setPath<&RenderOptions::plotPath>},
    {nullptr, "--plot-data", true, setPath<&RenderOptions::plotDataPath>},
    {nullptr, "--plot-range", true, setPlotRange},
    {"-q", "--quiet", false, setQuiet},
};

const OptionRule* findOption(const std::string& arg) {
    for (const OptionRule& rule : kOptions) {
        if ((rule.shortName != nullptr && arg == rule.shortName) || arg == rule.longName) {
            return &rule;
        }
    }
    return nullptr;
}

// Applies the options in `args` and gathers the other arguments in `positional`.
bool applyOptions(const std::vector<std::string>& args, RenderOptions& options,
                  std::vector<std::string>& positional, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionRule* rule = findOption(arg);
        if (rule == nullptr) {
            if (arg.size() > 1 && arg[0] == '-') {
                error = "unknown option " + arg;
                return false;
            }
            positional.push_back(arg);
            continue;
        }
        std::string value;
        if (rule->takesValue) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!rule->apply(arg, value, options, error)) {
            return false;
        }
    }
    return true;
}

// INPUT OUTPUT, or only OUTPUT for the built-in signal; -o names the output
// instead.
bool assignFiles(std::vector<std::string> positional, RenderOptions& options, std::string& error) {
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
    return true;
}

// Options that are each fine alone but not together.
bool checkCombination(const RenderOptions& options, std::string& error) {
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

} // namespace

bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
    std::vector<std::string> positional;
    if (!applyOptions(args, options, positional, error)) {
        return false;
    }
    if (options.showHelp) {
        return true;
    }
    return assignFiles(std::move(positional), options, error) && checkCombination(options, error);
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
