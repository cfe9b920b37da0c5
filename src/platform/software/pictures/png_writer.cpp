// Writing surfaces as PNG pictures.
#include <png.h>

#include <cstdio>
#include <vector>

#include "picture_files.h"

namespace software {

bool savePng(const raster::Surface& surface, const char* path) {
    if (!path || surface.width() <= 0 || surface.height() <= 0)
        return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    std::vector<png_byte> row(static_cast<std::size_t>(surface.width()) * 3);
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width()),
                     static_cast<png_uint_32>(surface.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                const raster::Pixel p = surface.get(x, y);
                row[3 * static_cast<std::size_t>(x)] = static_cast<png_byte>(p & 0xFF);
                row[3 * static_cast<std::size_t>(x) + 1] = static_cast<png_byte>((p >> 8) & 0xFF);
                row[3 * static_cast<std::size_t>(x) + 2] = static_cast<png_byte>((p >> 16) & 0xFF);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

} // namespace software
