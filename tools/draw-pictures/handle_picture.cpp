#include "handle_picture.h"

#include "gui/scale.h"
#include "layout.h"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

// At scale 1, in pixels; every length is s times as long at scale s.
constexpr double radiusAtOne = handleSize / 2.0 - 0.1;
// The darker edge ring's width.
constexpr double rimWidthAtOne = 1.1;
// How far above and left of the middle the light falls brightest.
constexpr double lightOffsetAtOne = 1.5;
constexpr int samplesPerSide = 8;

// Lightest grey of the disc: never white, which the slider would leave out.
constexpr double brightest = 250.0;
constexpr double rimGrey = 145.0;

// The knob's face at a point (dx, dy) from the middle: lit from above left,
// so lightest a little above and left of the middle, falling off outwards and
// somewhat darker towards the bottom.
double faceGrey(double dx, double dy, double radius, double lightOffset) {
    const double lx = (dx + lightOffset) / radius;
    const double ly = (dy + lightOffset) / radius;
    return brightest - 50.0 * (lx * lx + ly * ly) - 10.0 * std::max(0.0, dy / radius);
}

// The edge ring that sets the knob off from the panel, darker at the bottom.
double rimGreyAt(double dy, double radius) {
    return rimGrey - 15.0 * std::max(0.0, dy / radius);
}

} // namespace

Image drawHandle(double s) {
    // No larger than the pixels a handle's 14 units cover anywhere at the
    // scale (a unit's edges round either way), so the editor never cuts it.
    const int size = static_cast<int>(std::floor(handleSize * s));
    const double centre = size / 2.0;
    const double radius = s == 1.0 ? radiusAtOne : handleSize * s / 2.0 - 0.1 * s;
    const double rimWidth = rimWidthAtOne * s;
    const double lightOffset = lightOffsetAtOne * s;
    Image image(size, size, white);
    // Pixels the disc barely touches stay white, so the slider leaves them out.
    constexpr double minimumCoverage = 0.25;
    constexpr double sampleCount = samplesPerSide * samplesPerSide;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Area-weighted: each sample is face, rim or the white ground.
            double sum = 0.0;
            int inside = 0;
            for (int sy = 0; sy < samplesPerSide; ++sy) {
                for (int sx = 0; sx < samplesPerSide; ++sx) {
                    const double dx = x + (sx + 0.5) / samplesPerSide - centre;
                    const double dy = y + (sy + 0.5) / samplesPerSide - centre;
                    const double distance = std::sqrt(dx * dx + dy * dy);
                    if (distance > radius) {
                        sum += 255.0;
                        continue;
                    }
                    ++inside;
                    sum += distance > radius - rimWidth ? rimGreyAt(dy, radius)
                                                        : faceGrey(dx, dy, radius, lightOffset);
                }
            }
            if (inside / sampleCount < minimumCoverage) {
                continue;
            }
            const double level = std::min(sum / sampleCount, brightest);
            image.set(x, y, grey(static_cast<std::uint8_t>(std::lround(level))));
        }
    }
    return image;
}

} // namespace pictures
