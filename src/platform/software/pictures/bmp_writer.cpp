// Writing surfaces as uncompressed 24-bit bitmap files, the form the
// plug-in's pictures and the Windows screenshots take.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "picture_files.h"

namespace software {

namespace {
void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
} // namespace

bool saveBmp(const raster::Surface& surface, const char* path) {
    if (!path || surface.width() <= 0 || surface.height() <= 0)
        return false;
    const auto width = static_cast<std::uint32_t>(surface.width());
    const auto height = static_cast<std::uint32_t>(surface.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u; // rows padded to whole words
    const std::uint32_t headers = 14 + 40;
    std::vector<unsigned char> file;
    file.reserve(headers + stride * height);
    file.push_back('B');
    file.push_back('M');
    put32(file, headers + stride * height);
    put32(file, 0);
    put32(file, headers);
    put32(file, 40); // the information header
    put32(file, width);
    put32(file, height); // positive: the bottom row first
    put16(file, 1);
    put16(file, 24);
    put32(file, 0); // uncompressed
    put32(file, stride * height);
    put32(file, 2835); // 72 dots per inch, in dots per metre
    put32(file, 2835);
    put32(file, 0);
    put32(file, 0);
    for (int y = surface.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = file.size();
        for (int x = 0; x < surface.width(); ++x) {
            const raster::Pixel p = surface.get(x, y);
            file.push_back(static_cast<unsigned char>(p >> 16)); // blue
            file.push_back(static_cast<unsigned char>(p >> 8));  // green
            file.push_back(static_cast<unsigned char>(p));       // red
        }
        file.resize(rowStart + stride, 0);
    }
    std::FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

} // namespace software
