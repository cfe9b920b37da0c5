// Decoding of uncompressed bitmap files (1, 4, 8, 24 and 32 bits per pixel).
#pragma once

#include <cstddef>

#include "../raster/surface.h"

namespace software {

// False for anything that is not a complete uncompressed bitmap file.
bool decodeBmp(const unsigned char* data, std::size_t size, raster::Surface& out);

} // namespace software
