// Reads a PNG file into a headless surface, to compare a render with a
// stored reference.
#pragma once

#include "pictures/png_file.h"
#include "platform/headless/headless.h"

inline bool readPng(const char* path, raster::Surface& out) {
    pictures::Image image;
    if (!pictures::readPng(path, image))
        return false;
    out = raster::Surface(image.width(), image.height(), false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const pictures::Rgb p = image.at(x, y);
            out.set(x, y, static_cast<raster::Pixel>(p.r | p.g << 8 | p.b << 16));
        }
    return true;
}
