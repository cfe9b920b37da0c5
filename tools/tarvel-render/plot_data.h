// What the plot of a render shows, gathered while it runs: the left input
// and the output over the plotted frames, reduced to columns of lowest and
// highest sample; the recording and replay stretches inside them; the
// parameter values in force and where controller 1 changed them. Written as
// JSON for the drawing script (plot/draw_plot.py).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cycle_counter.h"

class PlotData {
public:
    // The frames [first, last) at `sampleRate`, in at most `maxColumns`
    // columns of equal width (the last may be narrower).
    PlotData(std::int64_t first, std::int64_t last, double sampleRate, int maxColumns);

    // One block of the render from frame `position` on: its left input and
    // left output (the effect writes the same to both outputs).
    void addBlock(std::int64_t position, const float* input, const float* output,
                  std::int64_t frames);
    // Keeps the part inside the plotted frames of each stretch.
    void addStretches(const std::vector<CycleStretch>& stretches);
    // A vertical mark at `frame` (kept if inside), labelled `text`.
    void addMark(std::int64_t frame, const std::string& text);

    // Free texts: the title, the line of values in force at the first frame,
    // the counts of the whole render.
    std::string title;
    std::string settings;
    std::string counts;

    std::int64_t framesPerColumn() const { return framesPerColumn_; }
    const std::vector<float>& inputLow() const { return input_.low; }
    const std::vector<float>& inputHigh() const { return input_.high; }
    const std::vector<float>& outputLow() const { return output_.low; }
    const std::vector<float>& outputHigh() const { return output_.high; }
    const std::vector<CycleStretch>& stretches() const { return stretches_; }

    void writeJson(std::ostream& out) const;

private:
    struct Columns {
        std::vector<float> low;
        std::vector<float> high;
        void add(std::size_t column, float sample, bool first);
    };
    struct Mark {
        std::int64_t frame;
        std::string text;
    };

    std::int64_t first_;
    std::int64_t last_;
    double sampleRate_;
    std::int64_t framesPerColumn_;
    Columns input_;
    Columns output_;
    std::vector<CycleStretch> stretches_;
    std::vector<Mark> marks;
};
