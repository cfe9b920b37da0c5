// Surfaces written as picture files, through the picture library.
#include "picture_files.h"

#include "pictures/bmp_file.h"
#include "pictures/png_file.h"

namespace software {

namespace {

pictures::Image imageOf(const raster::Surface& surface) {
    pictures::Image image(surface.width(), surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const raster::Pixel p = surface.get(x, y); // 0x00BBGGRR
            image.set(x, y,
                      pictures::Rgb{static_cast<std::uint8_t>(p & 0xFF),
                                    static_cast<std::uint8_t>((p >> 8) & 0xFF),
                                    static_cast<std::uint8_t>((p >> 16) & 0xFF)});
        }
    }
    return image;
}

} // namespace

bool savePng(const raster::Surface& surface, const char* path) {
    return path && pictures::writePng(imageOf(surface), path);
}

bool saveBmp(const raster::Surface& surface, const char* path) {
    return path && pictures::writeBmp(imageOf(surface), path);
}

} // namespace software
