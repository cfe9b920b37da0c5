#include "gui/geometry.h"

#include <algorithm>
#include <cmath>

int wholePixels(float x) {
    constexpr float kFarAway = 1.0e9f;
    if (std::isnan(x))
        return 0;
    if (x > kFarAway)
        return static_cast<int>(kFarAway);
    if (x < -kFarAway)
        return -static_cast<int>(kFarAway);
    return static_cast<int>(x);
}

Rect& Rect::bound(const Rect& o) {
    left = std::max(left, o.left);
    top = std::max(top, o.top);
    right = std::min(right, o.right);
    bottom = std::min(bottom, o.bottom);
    if (bottom < top)
        bottom = top;
    if (right < left)
        right = left;
    return *this;
}
