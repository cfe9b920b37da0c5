// Pictures as 8-bit RGB PNG files. Where the build is native they are
// written and read with libpng; the Windows builds (mingw-w64, for the
// screenshots taken under Wine) have no packaged libpng, so there a file is
// written by our own encoder below, and nothing is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/image.h"

namespace pictures {

// False when the picture is empty or the file cannot be written.
bool writePng(const Image& image, const std::string& path);
// Reads any PNG file as 8-bit RGB (native builds only). On failure returns
// false and, when `error` is given, says why.
bool readPng(const std::string& path, Image& image, std::string* error = nullptr);

// Our own encoder: the whole file with the deflate stream in stored
// (uncompressed) blocks only, which every PNG reader accepts; screenshots
// are small.
std::vector<std::uint8_t> encodeStoredPng(const Image& image);
// The checksums the format uses, exposed for tests.
std::uint32_t crc32Of(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t adler32Of(const std::uint8_t* data, std::size_t size);

} // namespace pictures
