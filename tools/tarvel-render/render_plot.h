// --plot and --plot-data for one render: which frames the plot covers, the
// texts and marks it carries, and where the finished plot goes.
#pragma once

#include <memory>
#include <string>

#include "plot_data.h"
#include "render_options.h"
#include "renderer.h"
#include "signal_source.h"

// Columns of the reduced waveforms: finer than the picture's pixels, so a
// zoomed plot shows every sample and a long one every peak.
constexpr int kPlotColumns = 4000;

// The plot's frames, from --plot-range, with the values in force at its
// first frame and the controller 1 changes inside it. Null with `error` set
// when the range holds nothing of the signal or the plot's files cannot be
// made where asked.
std::unique_ptr<PlotData> preparePlot(const RenderOptions& options, const SignalSource& source,
                                      std::string& error);

// Adds what only the finished render knows: its title and counts and the
// recording or replay still running at the end.
void finishPlot(PlotData& plot, const RenderOptions& options, const RenderReport& report);

// Writes the plot's data (--plot-data) and draws the picture (--plot);
// false with `error` set when either fails. A picture that cannot be drawn
// for want of Python or matplotlib is skipped with a note on stderr: the
// render itself is done.
bool savePlot(const RenderOptions& options, const PlotData& plot, std::string& error);
