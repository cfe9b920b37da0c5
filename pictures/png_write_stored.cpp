// Writing PNG files with our own encoder, for the Windows builds, which have
// no packaged libpng.
#include <cstdio>

#include "pictures/png_file.h"

namespace pictures {

bool writePng(const Image& image, const std::string& path) {
    if (image.empty())
        return false;
    const std::vector<std::uint8_t> bytes = encodeStoredPng(image);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace pictures
