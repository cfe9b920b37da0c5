// compare-pictures A.png B.png [--allow N]
// Reads both pictures and counts the pixels that differ; prints the count,
// the largest difference of one colour channel and the box around the
// differing pixels. Succeeds when the sizes agree and at most N pixels (0
// unless given) differ.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "harness/rgb_image.h"

namespace {

bool readPng(const char* path, RgbImage& image) {
    png_image file{};
    file.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&file, path)) {
        std::fprintf(stderr, "compare-pictures: cannot read %s: %s\n", path, file.message);
        return false;
    }
    file.format = PNG_FORMAT_RGB;
    image = RgbImage(static_cast<int>(file.width), static_cast<int>(file.height));
    if (!png_image_finish_read(&file, nullptr, image.rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "compare-pictures: cannot decode %s: %s\n", path, file.message);
        png_image_free(&file);
        return false;
    }
    return true;
}

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int da = static_cast<int>((a >> shift) & 0xFF);
        const int db = static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(da - db));
    }
    return largest;
}

} // namespace

int main(int argc, char** argv) {
    long allowed = 0;
    if (argc == 5 && std::strcmp(argv[3], "--allow") == 0) {
        allowed = std::strtol(argv[4], nullptr, 10);
    } else if (argc != 3) {
        std::fprintf(stderr, "usage: compare-pictures A.png B.png [--allow N]\n");
        return 2;
    }
    RgbImage a;
    RgbImage b;
    if (!readPng(argv[1], a) || !readPng(argv[2], b)) {
        return 2;
    }
    if (a.width != b.width || a.height != b.height) {
        std::printf("sizes differ: %dx%d and %dx%d\n", a.width, a.height, b.width, b.height);
        return 1;
    }
    long differing = 0;
    int largest = 0;
    int left = a.width, top = a.height, right = -1, bottom = -1;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const int difference = channelDifference(a.pixel(x, y), b.pixel(x, y));
            if (difference != 0) {
                ++differing;
                largest = std::max(largest, difference);
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    std::printf("%dx%d pixels, %ld differ (allowed %ld)", a.width, a.height, differing, allowed);
    if (differing > 0) {
        std::printf(", largest channel difference %d, within x %d..%d, y %d..%d", largest, left,
                    right, top, bottom);
    }
    std::printf("\n");
    return differing <= allowed ? 0 : 1;
}
