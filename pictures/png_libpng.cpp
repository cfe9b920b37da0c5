// Writing and reading PNG files with libpng, where the build is native.
#include <png.h>

#include <cstdio>
#include <utility>

#include "pictures/png_file.h"

namespace pictures {

bool writePng(const Image& image, const std::string& path) {
    if (image.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                     static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
        for (int y = 0; y < image.height(); ++y)
            png_write_row(png, image.bytes() + rowBytes * static_cast<std::size_t>(y));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

bool readPng(const std::string& path, Image& image, std::string* error) {
    png_image file{};
    file.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&file, path.c_str())) {
        if (error)
            *error = std::string("cannot read ") + path + ": " + file.message;
        return false;
    }
    file.format = PNG_FORMAT_RGB;
    Image read(static_cast<int>(file.width), static_cast<int>(file.height));
    if (!png_image_finish_read(&file, nullptr, read.bytes(), 0, nullptr)) {
        if (error)
            *error = std::string("cannot decode ") + path + ": " + file.message;
        png_image_free(&file);
        return false;
    }
    image = std::move(read);
    return true;
}

} // namespace pictures
