// Real GDI behind the drawing requests: a memory target on a screen-compatible bitmap.
#pragma once

#include <windows.h>

#include "canvas_ops.h"

// Reads a GDI bitmap into a surface, and writes a surface into one.
raster::Surface readBitmap(HDC dc, HBITMAP bitmap);
void writeBitmap(HDC dc, HBITMAP bitmap, const raster::Surface& s);

class GdiOps : public CanvasOps {
public:
    GdiOps();
    ~GdiOps() override;
    GdiOps(const GdiOps&) = delete;
    GdiOps& operator=(const GdiOps&) = delete;

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
    raster::Surface read() override;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
};
