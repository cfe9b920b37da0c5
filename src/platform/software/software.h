// What programs can do with the software drawing beyond the platform
// interface, on either backend that draws with it: read back the pixels
// behind a target, a window or a bitmap, add pictures to the resources, and
// set what the emulated services report.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform_types.h"
#include "platform/software/raster/surface.h"

namespace software {

// The pixels behind a target, a window or a bitmap; null for none.
const raster::Surface* surfaceOf(platform::DeviceContext dc);
const raster::Surface* surfaceOf(platform::Window window);
const raster::Surface* surfaceOf(platform::GraphicsObject bitmap);

// The font description selected into a target; null for none.
const platform::FontDescription* selectedFontOf(platform::DeviceContext dc);

// Pictures a program adds to its resources at run time, beside the plug-in's
// built-in ones: `bytes` is a whole bitmap file, loaded as resource `id`.
void addResourcePicture(std::uint16_t id, std::vector<unsigned char> bytes);

// Whether the blending library can be loaded, and the platform family reported.
void setBlendLibrary(bool available, int family);

// The system colours reported (platform colour values), until they are reset.
void setSystemColor(platform::SystemColor which, platform::ColorValue value);
void resetSystemColors();

} // namespace software
