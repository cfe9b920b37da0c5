// The few lines tarvel-render prints for a musician after a render.
#pragma once

#include <string>

#include "render_options.h"
#include "renderer.h"

std::string formatSummary(const RenderOptions& options, const RenderReport& report);

// A gain as decibels with one decimal ("-6.0 dB"); "-inf dB" for silence.
std::string decibels(float gain);
