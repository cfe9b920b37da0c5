// The headless rasteriser behind the drawing requests.
#pragma once

#include "canvas_ops.h"
#include "raster/draw_state.h"

class RasterOps : public CanvasOps {
public:
    RasterOps();
    void pen(int style, int width, std::uint32_t color) override;
    void brush(std::uint32_t color) override;
    void mix(int mode) override;
    void background(bool opaque, std::uint32_t color) override;
    void clip(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<XY>& points) override;
    void polygon(const std::vector<XY>& points) override;
    void fillRect(int left, int top, int right, int bottom, std::uint32_t color) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void arc(int left, int top, int right, int bottom, XY start, XY end) override;
    void pie(int left, int top, int right, int bottom, XY start, XY end) override;
    void setPixel(int x, int y, std::uint32_t color) override;
    void floodFill(int x, int y) override;
    raster::Surface read() override { return surface_; }

    raster::Surface& surface() { return surface_; }
    raster::DrawState& state() { return state_; }

private:
    raster::Surface surface_;
    raster::DrawState state_;
};
