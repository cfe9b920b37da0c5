// The scales the editor is drawn at. Views keep their coordinates in the
// panel's own units; a frame drawn at scale s shows each unit as s device
// pixels. Pictures exist at the offered scales only, so a requested scale is
// taken up to the nearest offered one and the layout follows it exactly.
#pragma once

#include <cmath>

namespace scale {

constexpr double kOffered[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};
constexpr double kSmallest = 1.0;
constexpr double kLargest = 3.0;

// The smallest offered scale at or above `requested`; 1 for anything below 1
// or not a number, 3 for anything above 3.
inline double pictureScale(double requested) {
    if (!(requested > kSmallest))
        return kSmallest;
    for (double offered : kOffered)
        if (offered >= requested)
            return offered;
    return kLargest;
}

// A length or coordinate in panel units as device pixels, rounded to nearest.
inline int toDevice(int units, double s) {
    return static_cast<int>(std::lround(static_cast<double>(units) * s));
}

// A device position back in panel units, rounded down, so every device pixel
// of a unit maps to that unit.
inline int toUnits(int device, double s) {
    return static_cast<int>(std::floor(static_cast<double>(device) / s));
}

// The resource number of picture `id` drawn at offered scale `s`: the
// number itself at 1, then 1000 more for each offered scale above it
// (128 at 1, 1128 at 1.25, ... 6128 at 3). 0 for a scale not offered.
inline int pictureResourceId(int id, double s) {
    int index = 0;
    for (double offered : kOffered) {
        if (offered == s)
            return id + 1000 * index;
        ++index;
    }
    return 0;
}

} // namespace scale
