#include "gui/geometry.h"

#include <algorithm>

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
