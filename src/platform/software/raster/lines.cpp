#include "lines.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace raster {
namespace {

// A dotted pen draws three pixels and skips three, counting on across the
// segments of one call.
constexpr int kDotOn = 3;
constexpr int kDotPeriod = 6;

struct PenWalker {
    Surface& surface;
    const DrawState& state;
    int dashPosition = 0;

    void put(int x, int y) {
        if (state.pen.style == kDotted) {
            const bool on = dashPosition % kDotPeriod < kDotOn;
            ++dashPosition;
            if (!on) {
                if (state.opaqueBackground)
                    plot(surface, state, x, y, state.backgroundColor);
                return;
            }
        }
        plot(surface, state, x, y, state.pen.color);
    }

    // Octant-dependent tie breaking, so that a line and its reverse cover the
    // same pixels apart from their end points.
    static int bias(int dx, int dy) {
        int octant;
        if (dy > 0)
            octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
        else
            octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
        return (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    }

    void segment(int x0, int y0, int x1, int y1) {
        const int dx = x1 - x0, dy = y1 - y0;
        const int adx = std::abs(dx), ady = std::abs(dy);
        const int xStep = dx < 0 ? -1 : 1, yStep = dy < 0 ? -1 : 1;
        const int b = bias(dx, dy);
        int x = x0, y = y0;
        if (adx > ady) {
            int err = 2 * ady - adx;
            for (int n = 0; n < adx; ++n) {
                put(x, y);
                if (err + b > 0) {
                    y += yStep;
                    err += 2 * ady - 2 * adx;
                } else {
                    err += 2 * ady;
                }
                x += xStep;
            }
        } else {
            int err = 2 * adx - ady;
            for (int n = 0; n < ady; ++n) {
                put(x, y);
                if (err + b > 0) {
                    x += xStep;
                    err += 2 * adx - 2 * ady;
                } else {
                    err += 2 * adx;
                }
                y += yStep;
            }
        }
    }
};

// Pixels whose centres lie within half the pen width of a segment, gathered
// first so that a pixel covered twice is mixed once.
class WideCoverage {
public:
    WideCoverage(const Surface& s, const DrawState& st) : box(drawableBox(s, st)) {
        if (!box.empty())
            covered.assign(static_cast<std::size_t>(box.right - box.left) *
                               static_cast<std::size_t>(box.bottom - box.top),
                           0);
    }

    void segment(int x0, int y0, int x1, int y1, int width) {
        if (box.empty())
            return;
        const double r = width / 2.0;
        const int reach = width / 2 + 1;
        const int left = std::max(std::min(x0, x1) - reach, box.left);
        const int right = std::min(std::max(x0, x1) + reach + 1, box.right);
        const int top = std::max(std::min(y0, y1) - reach, box.top);
        const int bottom = std::min(std::max(y0, y1) + reach + 1, box.bottom);
        const double dx = x1 - x0, dy = y1 - y0;
        const double len2 = dx * dx + dy * dy;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
                if (ex * ex + ey * ey <= r * r)
                    covered[index(x, y)] = 1;
            }
    }

    void paint(Surface& s, const DrawState& st) const {
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (covered[index(x, y)])
                    plot(s, st, x, y, st.pen.color);
    }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y - box.top) *
                   static_cast<std::size_t>(box.right - box.left) +
               static_cast<std::size_t>(x - box.left);
    }

    Box box;
    std::vector<unsigned char> covered;
};

void drawPath(Surface& s, const DrawState& st, const Vertex* points, int count) {
    if (st.pen.style == kNoPen || count < 2)
        return;
    if (st.pen.width > 1) {
        WideCoverage cover(s, st);
        for (int i = 1; i < count; ++i)
            cover.segment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, st.pen.width);
        cover.paint(s, st);
        return;
    }
    PenWalker walker{s, st};
    for (int i = 1; i < count; ++i)
        walker.segment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

} // namespace

void lineTo(Surface& s, DrawState& st, int x, int y) {
    const Vertex path[2] = {{st.x, st.y}, {x, y}};
    drawPath(s, st, path, 2);
    st.x = x;
    st.y = y;
}

void polyline(Surface& s, const DrawState& st, const Vertex* points, int count) {
    if (points)
        drawPath(s, st, points, count);
}

} // namespace raster
