#include "plot_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void writeString(std::ostream& out, const std::string& text) {
    out << '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out << escaped;
        } else {
            out << c;
        }
    }
    out << '"';
}

// Samples with seven significant digits; JSON has no infinity or NaN, so
// those become null, which the script leaves undrawn.
void writeSamples(std::ostream& out, const std::vector<float>& samples) {
    out << '[';
    char number[32];
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::isfinite(samples[i])) {
            std::snprintf(number, sizeof number, "%.7g", static_cast<double>(samples[i]));
            out << (i > 0 ? "," : "") << number;
        } else {
            out << (i > 0 ? "," : "") << "null";
        }
    }
    out << ']';
}

void writeStretches(std::ostream& out, const std::vector<CycleStretch>& stretches,
                    CycleStretch::Phase phase) {
    out << '[';
    bool any = false;
    for (const CycleStretch& stretch : stretches) {
        if (stretch.phase == phase) {
            out << (any ? "," : "") << '[' << stretch.start << ',' << stretch.end << ','
                << (stretch.cut ? "true" : "false") << ']';
            any = true;
        }
    }
    out << ']';
}

} // namespace

PlotData::PlotData(std::int64_t first, std::int64_t last, double sampleRate, int maxColumns)
    : first_(first), last_(std::max(first, last)), sampleRate_(sampleRate) {
    const std::int64_t frames = last_ - first_;
    const std::int64_t columns = std::max(1, maxColumns);
    framesPerColumn_ = std::max<std::int64_t>(1, (frames + columns - 1) / columns);
    const auto count = static_cast<std::size_t>((frames + framesPerColumn_ - 1) / framesPerColumn_);
    for (Columns* columnsOf : {&input_, &output_}) {
        columnsOf->low.assign(count, 0.0f);
        columnsOf->high.assign(count, 0.0f);
    }
}

void PlotData::Columns::add(std::size_t column, float sample, bool first) {
    // NaN is kept: a plot of a broken output should show that it is broken.
    if (first || std::isnan(sample) || sample < low[column]) {
        low[column] = sample;
    }
    if (first || std::isnan(sample) || sample > high[column]) {
        high[column] = sample;
    }
}

void PlotData::addBlock(std::int64_t position, const float* input, const float* output,
                        std::int64_t frames) {
    const std::int64_t from = std::max(position, first_);
    const std::int64_t to = std::min(position + frames, last_);
    for (std::int64_t frame = from; frame < to; ++frame) {
        const std::int64_t offset = frame - first_;
        const auto column = static_cast<std::size_t>(offset / framesPerColumn_);
        const bool firstOfColumn = offset % framesPerColumn_ == 0;
        input_.add(column, input[frame - position], firstOfColumn);
        output_.add(column, output[frame - position], firstOfColumn);
    }
}

void PlotData::addStretches(const std::vector<CycleStretch>& stretches) {
    for (CycleStretch stretch : stretches) {
        stretch.start = std::max(stretch.start, first_);
        stretch.end = std::min(stretch.end, last_);
        if (stretch.start < stretch.end) {
            stretches_.push_back(stretch);
        }
    }
}

void PlotData::addMark(std::int64_t frame, const std::string& text) {
    if (frame >= first_ && frame < last_) {
        marks.push_back({frame, text});
    }
}

void PlotData::writeJson(std::ostream& out) const {
    out << "{\n\"title\": ";
    writeString(out, title);
    out << ",\n\"settings\": ";
    writeString(out, settings);
    out << ",\n\"counts\": ";
    writeString(out, counts);
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.17g", sampleRate_);
    out << ",\n\"sampleRate\": " << rate << ",\n\"first\": " << first_ << ",\n\"last\": " << last_
        << ",\n\"framesPerColumn\": " << framesPerColumn_ << ",\n\"inputLow\": ";
    writeSamples(out, input_.low);
    out << ",\n\"inputHigh\": ";
    writeSamples(out, input_.high);
    out << ",\n\"outputLow\": ";
    writeSamples(out, output_.low);
    out << ",\n\"outputHigh\": ";
    writeSamples(out, output_.high);
    out << ",\n\"recordings\": ";
    writeStretches(out, stretches_, CycleStretch::Phase::recording);
    out << ",\n\"replays\": ";
    writeStretches(out, stretches_, CycleStretch::Phase::replay);
    out << ",\n\"marks\": [";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        out << (i > 0 ? ",\n  " : "\n  ") << "{\"frame\": " << marks[i].frame << ", \"text\": ";
        writeString(out, marks[i].text);
        out << '}';
    }
    out << "]\n}\n";
}
