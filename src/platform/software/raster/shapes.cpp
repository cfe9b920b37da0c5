#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace raster {
namespace {

constexpr double kTwoPi = 6.283185307179586;

Box ordered(Box b) {
    if (b.left > b.right)
        std::swap(b.left, b.right);
    if (b.top > b.bottom)
        std::swap(b.top, b.bottom);
    return b;
}

// Pixel (x, y) lies in the ellipse inscribed in box when its centre does.
bool inEllipse(const Box& b, int x, int y) {
    const std::int64_t w = b.right - b.left, h = b.bottom - b.top;
    if (w <= 0 || h <= 0)
        return false;
    const std::int64_t px = 2 * std::int64_t{x} + 1 - b.left - b.right;
    const std::int64_t py = 2 * std::int64_t{y} + 1 - b.top - b.bottom;
    return px * px * h * h + py * py * w * w <= w * w * h * h;
}

// The counter-clockwise angle of a vector given in screen orientation.
double angleOf(double dx, double dy) {
    double a = std::atan2(-dy, dx);
    return a < 0 ? a + kTwoPi : a;
}

struct Sweep {
    double start = 0;
    double length = kTwoPi;

    Sweep(const Box& b, Vertex from, Vertex to) {
        const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
        start = angleOf(from.x - cx, from.y - cy);
        const double end = angleOf(to.x - cx, to.y - cy);
        length = std::fmod(end - start + kTwoPi, kTwoPi);
        if (length == 0)
            length = kTwoPi;
    }

    bool covers(const Box& b, int x, int y) const {
        const double dx = (2.0 * x + 1 - b.left - b.right) / 2.0;
        const double dy = (2.0 * y + 1 - b.top - b.bottom) / 2.0;
        if (dx == 0 && dy == 0)
            return true;
        return std::fmod(angleOf(dx, dy) - start + kTwoPi, kTwoPi) <= length;
    }
};

// The outline ring of the ellipse in box for a pen of the given width.
bool onOutline(const Box& b, int x, int y, int width) {
    if (!inEllipse(b, x, y))
        return false;
    if (width <= 1)
        return !inEllipse(b, x - 1, y) || !inEllipse(b, x + 1, y) || !inEllipse(b, x, y - 1) ||
               !inEllipse(b, x, y + 1);
    const Box inner{b.left + width, b.top + width, b.right - width, b.bottom - width};
    return !inEllipse(inner, x, y);
}

template <typename Visit> void eachPixel(const Surface& s, const DrawState& st, Box area, Visit v) {
    const Box box = area.intersect(drawableBox(s, st));
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            v(x, y);
}

bool hasPen(const DrawState& st) {
    return st.pen.style != kNoPen;
}

// Pies drawn without a pen lose their last column and row; ellipses keep
// their whole box either way, as the platform draws them.
Box fillArea(const DrawState& st, Box b, bool pieShape) {
    if (pieShape && !hasPen(st)) {
        --b.right;
        --b.bottom;
    }
    return b;
}

void curved(Surface& s, const DrawState& st, Box box, const Sweep* sweep, bool outline,
            bool interior, bool pieShape) {
    box = ordered(box);
    const Box area = fillArea(st, box, pieShape);
    const int width = std::max(st.pen.width, 1);
    eachPixel(s, st, area, [&](int x, int y) {
        if (!inEllipse(area, x, y) || (sweep && !sweep->covers(area, x, y)))
            return;
        const bool ring = hasPen(st) && onOutline(area, x, y, width);
        if (ring && outline)
            plot(s, st, x, y, st.pen.color);
        else if (!ring && interior && !st.brush.none)
            plot(s, st, x, y, st.brush.color);
    });
}

} // namespace

void fillBox(Surface& s, const DrawState& st, Box r, Pixel color) {
    // A reversed extent covers from one past its far edge up to and
    // including its near edge, as the platform's block fill does.
    if (r.left > r.right) {
        const int near = r.left;
        r.left = r.right + 1;
        r.right = near + 1;
    }
    if (r.top > r.bottom) {
        const int near = r.top;
        r.top = r.bottom + 1;
        r.bottom = near + 1;
    }
    r = r.intersect(drawableBox(s, st));
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            s.set(x, y, color);
}

void polygon(Surface& s, const DrawState& st, const Vertex* points, int count) {
    if (!points || count < 2)
        return;
    if (!st.brush.none && count >= 3) {
        int top = points[0].y, bottom = points[0].y;
        for (int i = 1; i < count; ++i) {
            top = std::min(top, points[i].y);
            bottom = std::max(bottom, points[i].y);
        }
        const Box box = drawableBox(s, st);
        std::vector<double> crossings;
        for (int y = std::max(top, box.top); y < std::min(bottom, box.bottom); ++y) {
            // Rows are sampled on their top edge and columns from the first
            // pixel corner at or right of each crossing, as the platform's regions do.
            crossings.clear();
            for (int i = 0; i < count; ++i) {
                const Vertex a = points[i], b = points[(i + 1) % count];
                if ((a.y <= y) == (b.y <= y))
                    continue;
                crossings.push_back(a.x + static_cast<double>(y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const int from = static_cast<int>(std::ceil(crossings[i]));
                const int to = static_cast<int>(std::ceil(crossings[i + 1]));
                for (int x = from; x < to; ++x)
                    plot(s, st, x, y, st.brush.color);
            }
        }
    }
    if (hasPen(st)) {
        std::vector<Vertex> closed(points, points + count);
        closed.push_back(points[0]);
        polyline(s, st, closed.data(), static_cast<int>(closed.size()));
    }
}

void ellipse(Surface& s, const DrawState& st, Box box) {
    curved(s, st, box, nullptr, true, true, false);
}

void arc(Surface& s, const DrawState& st, Box box, Vertex start, Vertex end) {
    if (!hasPen(st))
        return;
    const Box b = ordered(box);
    const Sweep sweep(b, start, end);
    curved(s, st, b, &sweep, true, false, false);
}

void pie(Surface& s, const DrawState& st, Box box, Vertex start, Vertex end) {
    const Box b = ordered(box);
    const Sweep sweep(fillArea(st, b, true), start, end);
    curved(s, st, b, &sweep, true, true, true);
}

bool floodFill(Surface& s, const DrawState& st, int x, int y, Pixel color, bool surfaceMode) {
    const Box box = drawableBox(s, st);
    if (!box.contains(x, y))
        return false;
    auto fillable = [&](int px, int py) { return (s.get(px, py) == color) == surfaceMode; };
    if (!fillable(x, y))
        return false;
    // Decide the whole area first, then paint: painting in the fill colour
    // must not change what counts as the area.
    const int w = box.right - box.left;
    std::vector<unsigned char> seen(
        static_cast<std::size_t>(w) * static_cast<std::size_t>(box.bottom - box.top), 0);
    auto idx = [&](int px, int py) {
        return static_cast<std::size_t>(py - box.top) * static_cast<std::size_t>(w) +
               static_cast<std::size_t>(px - box.left);
    };
    std::vector<Vertex> stack{{x, y}};
    seen[idx(x, y)] = 1;
    std::vector<Vertex> area;
    while (!stack.empty()) {
        const Vertex p = stack.back();
        stack.pop_back();
        area.push_back(p);
        const Vertex next[4] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
        for (const Vertex& n : next)
            if (box.contains(n.x, n.y) && !seen[idx(n.x, n.y)] && fillable(n.x, n.y)) {
                seen[idx(n.x, n.y)] = 1;
                stack.push_back(n);
            }
    }
    for (const Vertex& p : area)
        plot(s, st, p.x, p.y, st.brush.color);
    return true;
}

} // namespace raster
