// A headless window with a drawing target on it, and ways to read back what
// was drawn.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>

#include "platform/graphics.h"
#include "platform/headless/headless.h"

struct Canvas {
    explicit Canvas(int width = 40, int height = 40, int screenX = 100, int screenY = 50)
        : window(headless::createWindow(screenX, screenY, width, height)),
          dc(platform::getDC(window)) {}
    ~Canvas() {
        platform::releaseDC(window, dc);
        headless::destroyWindow(window);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const raster::Surface& surface() const { return *headless::surfaceOf(window); }
    raster::Pixel at(int x, int y) const { return surface().get(x, y); }

    // The smallest box around every pixel that is not `background`, and how many there are.
    raster::Box paintedBox(raster::Pixel background = raster::kBlack) const {
        raster::Box b{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x)
                if (at(x, y) != background) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    int count(raster::Pixel p) const {
        int n = 0;
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x)
                n += at(x, y) == p;
        return n;
    }
    // Rows of '#' (not background) and '.' for a readable picture in failures.
    std::string rows(raster::Box b, raster::Pixel background = raster::kBlack) const {
        std::string s;
        for (int y = b.top; y < b.bottom; ++y) {
            for (int x = b.left; x < b.right; ++x)
                s += at(x, y) == background ? '.' : '#';
            s += '\n';
        }
        return s;
    }

    platform::Window window;
    platform::DeviceContext dc;
};

namespace raster {
inline bool operator==(const raster::Box& a, const raster::Box& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& o, const raster::Box& b) {
    return o << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}
} // namespace raster
