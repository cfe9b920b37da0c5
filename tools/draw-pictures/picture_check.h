// Re-measures freshly drawn pictures pixel by pixel, so that a font or
// FreeType change that moves the lettering is caught before anything is
// written.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace pictures {

// Each returns one line per fault found; empty when the picture is right.
std::vector<std::string> checkPanelLettering(const Image& panel);
// The handle at a scale is `size` pixels square (handleSize at 1).
std::vector<std::string> checkHandle(const Image& handle, int size);

} // namespace pictures
