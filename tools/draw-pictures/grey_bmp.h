// Writes an all-grey picture as an 8-bit BMP file with a palette of the 256
// greys: a third of the 24-bit size, so the pictures at every scale keep the
// Windows library small, and read back as exactly the same colours.
#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

namespace pictures {

// Empty when a pixel is not grey (red, green and blue equal).
std::vector<std::uint8_t> encodeGreyBmp(const Image& image);

} // namespace pictures
