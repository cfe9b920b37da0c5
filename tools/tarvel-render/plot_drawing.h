// Draws a plot into a PNG file by handing its data to the drawing script
// (plot/draw_plot.py, matplotlib) on the script's standard input.
#pragma once

#include <string>

struct PlotDrawing {
    enum class Outcome {
        drawn,
        skipped, // Python or matplotlib is not there: the render still counts
        failed,
    };
    Outcome outcome = Outcome::failed;
    std::string reason; // why it was skipped or failed
};

// Runs `python script png` with `json` on its standard input.
PlotDrawing drawPlot(const std::string& python, const std::string& script, const std::string& json,
                     const std::string& pngPath);
