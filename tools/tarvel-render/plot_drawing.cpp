#include "plot_drawing.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "child_process.h"

namespace {

// The script's exit status when its libraries are missing; it prints the
// reason on its standard output.
constexpr int kLibraryMissing = 3;

std::string readAll(std::FILE* stream) {
    std::string text;
    char buffer[512];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        text.append(buffer, got);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

} // namespace

PlotDrawing drawPlot(const std::string& python, const std::string& script, const std::string& json,
                     const std::string& pngPath) {
    PlotDrawing result;
    if (access(script.c_str(), R_OK) != 0) {
        result.outcome = PlotDrawing::Outcome::skipped;
        result.reason = "the drawing script " + script + " is not there";
        return result;
    }
    ChildProcess child;
    std::string error;
    if (!child.start({python, script, pngPath}, error)) {
        result.outcome = PlotDrawing::Outcome::skipped;
        result.reason = error;
        return result;
    }
    // A script that ends early must not end this program with SIGPIPE; its
    // exit status tells what happened.
    signal(SIGPIPE, SIG_IGN);
    std::fwrite(json.data(), 1, json.size(), child.toChild());
    child.closeToChild();
    const std::string said = readAll(child.fromChild());
    const int status = child.finish();
    if (status == 0) {
        result.outcome = PlotDrawing::Outcome::drawn;
    } else if (status == kLibraryMissing) {
        result.outcome = PlotDrawing::Outcome::skipped;
        result.reason = said;
    } else {
        result.outcome = PlotDrawing::Outcome::failed;
        result.reason = said.empty() ? "the drawing script failed" : said;
    }
    return result;
}
