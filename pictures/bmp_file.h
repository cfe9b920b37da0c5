// Pictures as 24-bit uncompressed BMP files, the form the resource compiler
// embeds and the platform loads as device-independent bitmaps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/image.h"

namespace pictures {

// The complete file: file header, 40-byte info header, bottom-up rows in
// blue-green-red order, each padded to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Image& image);
// An all-grey picture as an 8-bit file with a palette of the 256 greys: a
// third of the 24-bit size, read back as exactly the same colours. Empty when
// a pixel is not grey (red, green and blue equal).
std::vector<std::uint8_t> encodeGreyBmp(const Image& image);

// Writes the bytes to path; false when the file cannot be written.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// False when the picture is empty or the file cannot be written.
bool writeBmp(const Image& image, const std::string& path);

} // namespace pictures
