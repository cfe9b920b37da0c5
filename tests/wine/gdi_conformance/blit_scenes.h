// Scenes made of block copies, where each side drives its own copies; the
// colour-keyed ones run the toolkit's bitmaps on GDI.
#pragma once

#include <functional>
#include <vector>

#include "raster/surface.h"

struct BlitResult {
    raster::Surface gdi;
    raster::Surface headless;
    const char* problem = nullptr; // a property the GDI result breaks, if any
};

struct BlitScene {
    const char* name;
    std::function<BlitResult()> run;
    int allowedDifference;
};

std::vector<BlitScene> blitScenes();
