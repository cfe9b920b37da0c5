#include "raster_ops.h"

#include "raster/lines.h"
#include "raster/shapes.h"

namespace {
std::vector<raster::Vertex> vertices(const std::vector<XY>& points) {
    std::vector<raster::Vertex> v;
    for (const XY& p : points)
        v.push_back({p.x, p.y});
    return v;
}
} // namespace

RasterOps::RasterOps() : surface_(kCanvasSize, kCanvasSize, false, raster::kBlack) {}

void RasterOps::pen(int style, int width, std::uint32_t color) {
    state_.pen = raster::Pen{style, width < 1 ? 1 : width, color};
}
void RasterOps::brush(std::uint32_t color) {
    state_.brush = raster::Brush{false, color};
}
void RasterOps::mix(int mode) {
    state_.mix = mode;
}
void RasterOps::background(bool opaque, std::uint32_t color) {
    state_.opaqueBackground = opaque;
    state_.backgroundColor = color;
}
void RasterOps::clip(int left, int top, int right, int bottom) {
    state_.clip = raster::Box{left, top, right, bottom};
}
void RasterOps::moveTo(int x, int y) {
    state_.x = x;
    state_.y = y;
}
void RasterOps::lineTo(int x, int y) {
    raster::lineTo(surface_, state_, x, y);
}
void RasterOps::polyline(const std::vector<XY>& points) {
    const auto v = vertices(points);
    raster::polyline(surface_, state_, v.data(), static_cast<int>(v.size()));
}
void RasterOps::polygon(const std::vector<XY>& points) {
    const auto v = vertices(points);
    raster::polygon(surface_, state_, v.data(), static_cast<int>(v.size()));
}
void RasterOps::fillRect(int left, int top, int right, int bottom, std::uint32_t color) {
    raster::fillBox(surface_, state_, raster::Box{left, top, right, bottom}, color);
}
void RasterOps::ellipse(int left, int top, int right, int bottom) {
    raster::ellipse(surface_, state_, raster::Box{left, top, right, bottom});
}
void RasterOps::arc(int left, int top, int right, int bottom, XY start, XY end) {
    raster::arc(surface_, state_, raster::Box{left, top, right, bottom}, {start.x, start.y},
                {end.x, end.y});
}
void RasterOps::pie(int left, int top, int right, int bottom, XY start, XY end) {
    raster::pie(surface_, state_, raster::Box{left, top, right, bottom}, {start.x, start.y},
                {end.x, end.y});
}
void RasterOps::setPixel(int x, int y, std::uint32_t color) {
    if (surface_.inside(x, y) && state_.clip.contains(x, y))
        surface_.set(x, y, color);
}
void RasterOps::floodFill(int x, int y) {
    if (surface_.inside(x, y))
        raster::floodFill(surface_, state_, x, y, surface_.get(x, y), true);
}
