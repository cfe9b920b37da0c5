// One set of drawing requests in the platform's own terms, carried out
// either by GDI or by the headless rasteriser, so both can draw a scene.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/surface.h"

struct XY {
    int x;
    int y;
};

class CanvasOps {
public:
    virtual ~CanvasOps() = default;
    virtual void pen(int style, int width, std::uint32_t color) = 0; // creates and selects
    virtual void brush(std::uint32_t color) = 0;
    virtual void mix(int mode) = 0;
    virtual void background(bool opaque, std::uint32_t color) = 0;
    virtual void clip(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void polyline(const std::vector<XY>& points) = 0;
    virtual void polygon(const std::vector<XY>& points) = 0;
    virtual void fillRect(int left, int top, int right, int bottom, std::uint32_t color) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void arc(int left, int top, int right, int bottom, XY start, XY end) = 0;
    virtual void pie(int left, int top, int right, int bottom, XY start, XY end) = 0;
    virtual void setPixel(int x, int y, std::uint32_t color) = 0;
    virtual void floodFill(int x, int y) = 0;
    // The picture as it stands.
    virtual raster::Surface read() = 0;
};

constexpr int kCanvasSize = 64;
