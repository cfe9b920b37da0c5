// Writes pictures as PNG files without an image library: the deflate stream
// uses stored (uncompressed) blocks only, which every PNG reader accepts.
// The Windows build has no PNG library, and screenshots are small.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness/rgb_image.h"

// The whole file: signature, header, image data and end chunks.
std::vector<std::uint8_t> encodePng(const RgbImage& image);
// False when the picture is empty or the file cannot be written.
bool writePng(const RgbImage& image, const std::string& path);

// The checksums the format uses, exposed for tests.
std::uint32_t crc32Of(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t adler32Of(const std::uint8_t* data, std::size_t size);
