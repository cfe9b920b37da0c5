// Reads an 8-bit RGB picture from a PNG file into a headless surface, to
// compare a render with a stored reference.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/headless/headless.h"

inline bool readPng(const char* path, raster::Surface& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path))
        return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    out = raster::Surface(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out.set(x, y, static_cast<raster::Pixel>(p[0] | p[1] << 8 | p[2] << 16));
        }
    return true;
}
