#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace gallery {

namespace {

constexpr int kSamples = 4;

// Blends `colour` over the pixels of the box by the share of samples for
// which `inside(x, y)` holds (x and y in pixel-edge coordinates).
template <class Inside>
void cover(Image& image, double left, double top, double right, double bottom, Rgb colour,
           Inside inside) {
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(image.width(), static_cast<int>(std::ceil(right)));
    const int y1 = std::min(image.height(), static_cast<int>(std::ceil(bottom)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
            if (hits > 0)
                image.set(
                    x, y,
                    mix(image.at(x, y), colour, static_cast<double>(hits) / (kSamples * kSamples)));
        }
}

std::uint8_t channel(double a, double b, double t) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

} // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{channel(a.r, b.r, t), channel(a.g, b.g, t), channel(a.b, b.b, t)};
}

void fillRect(Image& image, int left, int top, int right, int bottom, Rgb colour) {
    for (int y = std::max(0, top); y < std::min(image.height(), bottom); ++y)
        for (int x = std::max(0, left); x < std::min(image.width(), right); ++x)
            image.set(x, y, colour);
}

void roundRect(Image& image, double left, double top, double right, double bottom, double radius,
               Rgb colour) {
    cover(image, left, top, right, bottom, colour, [=](double x, double y) {
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        const double dx = x - cx;
        const double dy = y - cy;
        return x >= left && x <= right && y >= top && y <= bottom &&
               dx * dx + dy * dy <= radius * radius;
    });
}

void disc(Image& image, double cx, double cy, double radius, Rgb colour) {
    cover(image, cx - radius, cy - radius, cx + radius, cy + radius, colour,
          [=](double x, double y) {
              return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
          });
}

void ring(Image& image, double cx, double cy, double inner, double outer, Rgb colour) {
    cover(image, cx - outer, cy - outer, cx + outer, cy + outer, colour, [=](double x, double y) {
        const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d >= inner * inner && d <= outer * outer;
    });
}

void line(Image& image, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    const double half = width / 2.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double lengthSquared = dx * dx + dy * dy;
    cover(image, std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
          std::max(y0, y1) + half, colour, [=](double x, double y) {
              double t =
                  lengthSquared > 0.0 ? ((x - x0) * dx + (y - y0) * dy) / lengthSquared : 0.0;
              t = std::clamp(t, 0.0, 1.0);
              const double ex = x - (x0 + t * dx);
              const double ey = y - (y0 + t * dy);
              return ex * ex + ey * ey <= half * half;
          });
}

Image stack(const std::vector<Image>& images) {
    int height = 0;
    for (const Image& i : images)
        height += i.height();
    const int width = images.empty() ? 0 : images.front().width();
    Image out(width, height, Rgb{0, 0, 0});
    int top = 0;
    for (const Image& i : images) {
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < std::min(width, i.width()); ++x)
                out.set(x, top + y, i.at(x, y));
        top += i.height();
    }
    return out;
}

} // namespace gallery
