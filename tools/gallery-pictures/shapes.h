// Anti-aliased shapes on the pictures' canvas: each pixel is covered by
// 4 × 4 samples and blended with the colour by the share that falls inside.
#pragma once

#include <vector>

#include "image.h"

namespace gallery {

using pictures::Image;
using pictures::Rgb;

// a + (b - a) × t per channel, rounded.
Rgb mix(Rgb a, Rgb b, double t);

// Every pixel of [left, right) × [top, bottom).
void fillRect(Image& image, int left, int top, int right, int bottom, Rgb colour);
// A rectangle with corners rounded by `radius` (pixel edges as coordinates).
void roundRect(Image& image, double left, double top, double right, double bottom, double radius,
               Rgb colour);
void disc(Image& image, double cx, double cy, double radius, Rgb colour);
// The band between two radii.
void ring(Image& image, double cx, double cy, double inner, double outer, Rgb colour);
// A line with round ends, `width` pixels across.
void line(Image& image, double x0, double y0, double x1, double y1, double width, Rgb colour);

// The images one below the other, all as wide as the first.
Image stack(const std::vector<Image>& images);

} // namespace gallery
