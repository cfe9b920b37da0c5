// Software-drawn pictures written to files, for the tools and tests that
// look at what was drawn (not part of any shipped library).
#pragma once

#include "platform/software/raster/surface.h"

namespace software {

// Writes a surface as an 8-bit RGB picture; false when that fails.
bool savePng(const raster::Surface& surface, const char* path);
// Writes a surface as an uncompressed 24-bit bitmap file; false when that fails.
bool saveBmp(const raster::Surface& surface, const char* path);

} // namespace software
