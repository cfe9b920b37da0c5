#include "plot_range.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool parsePoint(std::string text, PlotRange::Point& point) {
    point = PlotRange::Point{};
    if (text.empty()) {
        return true;
    }
    if (text.back() == 's') {
        point.seconds = true;
        text.pop_back();
    }
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    point.seconds = point.seconds || text.find('.') != std::string::npos;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) {
        return false;
    }
    point.given = true;
    point.value = value;
    return true;
}

std::int64_t frameOf(const PlotRange::Point& point, double sampleRate, std::int64_t otherwise) {
    if (!point.given) {
        return otherwise;
    }
    const double frame = point.seconds ? std::floor(point.value * sampleRate + 0.5) : point.value;
    // Far past any signal: stop at a value that still fits.
    return frame >= 9.0e18 ? INT64_MAX : static_cast<std::int64_t>(frame);
}

} // namespace

bool PlotRange::parse(const std::string& text, PlotRange& range) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    return parsePoint(text.substr(0, colon), range.start) &&
           parsePoint(text.substr(colon + 1), range.end);
}

bool PlotRange::resolve(double sampleRate, std::int64_t frames, std::int64_t& first,
                        std::int64_t& last, std::string& error) const {
    if (frames <= 0) {
        error = "the signal is empty: there is nothing to plot";
        return false;
    }
    first = frameOf(start, sampleRate, 0);
    last = std::min(frameOf(end, sampleRate, frames), frames);
    if (first >= frames) {
        error = "the plot range starts at frame " + std::to_string(first) +
                ", after the signal's end (" + std::to_string(frames) + " frames)";
        return false;
    }
    if (last <= first) {
        error = "the plot range ends before it starts";
        return false;
    }
    return true;
}
