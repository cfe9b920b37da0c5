// compare-pictures A.png B.png [--allow N]
// Reads both pictures and counts the pixels that differ; prints the count,
// the largest difference of one colour channel and the box around the
// differing pixels. Succeeds when the sizes agree and at most N pixels (0
// unless given) differ.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pictures/png_file.h"

namespace {

bool readPng(const char* path, pictures::Image& image) {
    std::string error;
    if (!pictures::readPng(path, image, &error)) {
        std::fprintf(stderr, "compare-pictures: %s\n", error.c_str());
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
    pictures::Image a;
    pictures::Image b;
    if (!readPng(argv[1], a) || !readPng(argv[2], b)) {
        return 2;
    }
    if (a.width() != b.width() || a.height() != b.height()) {
        std::printf("sizes differ: %dx%d and %dx%d\n", a.width(), a.height(), b.width(),
                    b.height());
        return 1;
    }
    long differing = 0;
    int largest = 0;
    int left = a.width(), top = a.height(), right = -1, bottom = -1;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
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
    std::printf("%dx%d pixels, %ld differ (allowed %ld)", a.width(), a.height(), differing,
                allowed);
    if (differing > 0) {
        std::printf(", largest channel difference %d, within x %d..%d, y %d..%d", largest, left,
                    right, top, bottom);
    }
    std::printf("\n");
    return differing <= allowed ? 0 : 1;
}
