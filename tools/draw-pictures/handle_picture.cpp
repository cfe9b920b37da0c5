#include "handle_picture.h"

#include "layout.h"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

constexpr double centre = handleSize / 2.0;
constexpr double radius = handleSize / 2.0 - 0.1;
constexpr int samplesPerSide = 8;

// Lightest grey of the disc: never white, which the slider would leave out.
constexpr double brightest = 250.0;
constexpr double rimGrey = 140.0;

// The share of pixel (x, y) that the disc covers, from 8 by 8 samples.
double discCoverage(int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < samplesPerSide; ++sy) {
        for (int sx = 0; sx < samplesPerSide; ++sx) {
            const double px = x + (sx + 0.5) / samplesPerSide - centre;
            const double py = y + (sy + 0.5) / samplesPerSide - centre;
            if (px * px + py * py <= radius * radius) {
                ++inside;
            }
        }
    }
    return inside / double(samplesPerSide * samplesPerSide);
}

// The knob's surface: lit from above left, so lightest a little above and
// left of the middle, falling off towards the rim and darker at the bottom;
// the outermost pixel ring is a darker edge that separates it from the panel.
double surfaceGrey(int x, int y) {
    const double dx = x + 0.5 - centre;
    const double dy = y + 0.5 - centre;
    const double distance = std::sqrt(dx * dx + dy * dy) / radius;
    const double fromLight = std::sqrt((dx + 1.5) * (dx + 1.5) + (dy + 1.5) * (dy + 1.5)) / radius;
    double level = brightest - 55.0 * fromLight * fromLight - 8.0 * std::max(0.0, dy / radius);
    if (distance > (radius - 1.0) / radius) {
        level = rimGrey - 15.0 * std::max(0.0, dy / radius);
    }
    return std::clamp(level, 0.0, brightest);
}

} // namespace

Image drawHandle() {
    Image image(handleSize, handleSize, white);
    // Pixels the disc barely touches stay white, so the slider leaves them out.
    constexpr double minimumCoverage = 0.25;
    for (int y = 0; y < handleSize; ++y) {
        for (int x = 0; x < handleSize; ++x) {
            const double coverage = discCoverage(x, y);
            if (coverage < minimumCoverage) {
                continue;
            }
            // Edge pixels blend towards the white panel they usually sit on.
            const double level = 255.0 + (surfaceGrey(x, y) - 255.0) * coverage;
            const auto g = static_cast<std::uint8_t>(std::lround(std::min(level, brightest)));
            image.set(x, y, grey(g));
        }
    }
    return image;
}

} // namespace pictures
