#include "gdi_ops.h"

#include <vector>

namespace {
BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<POINT> points(const std::vector<XY>& xy) {
    std::vector<POINT> p;
    for (const XY& q : xy)
        p.push_back(POINT{q.x, q.y});
    return p;
}
} // namespace

raster::Surface readBitmap(HDC dc, HBITMAP bitmap) {
    BITMAP record{};
    GetObjectA(bitmap, sizeof record, &record);
    raster::Surface s(record.bmWidth, record.bmHeight, false);
    BITMAPINFO info = topDownInfo(record.bmWidth, record.bmHeight);
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(record.bmWidth) *
                                    static_cast<std::size_t>(record.bmHeight));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(record.bmHeight), bits.data(), &info,
              DIB_RGB_COLORS);
    for (int y = 0; y < record.bmHeight; ++y)
        for (int x = 0; x < record.bmWidth; ++x) {
            const std::uint32_t bgra =
                bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(record.bmWidth) +
                     static_cast<std::size_t>(x)];
            // Device-independent pixels are blue, green, red: swap to the colour value.
            s.set(x, y, ((bgra >> 16) & 0xFF) | (bgra & 0xFF00) | ((bgra & 0xFF) << 16));
        }
    return s;
}

void writeBitmap(HDC dc, HBITMAP bitmap, const raster::Surface& s) {
    BITMAPINFO info = topDownInfo(s.width(), s.height());
    std::vector<std::uint32_t> bits;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t c = s.get(x, y);
            bits.push_back(((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16));
        }
    SetDIBits(dc, bitmap, 0, static_cast<UINT>(s.height()), bits.data(), &info, DIB_RGB_COLORS);
}

GdiOps::GdiOps() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kCanvasSize, kCanvasSize);
    ReleaseDC(nullptr, screen);
    oldBitmap = SelectObject(dc_, bitmap_);
    RECT all{0, 0, kCanvasSize, kCanvasSize};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    oldPen = GetCurrentObject(dc_, OBJ_PEN);
    oldBrush = GetCurrentObject(dc_, OBJ_BRUSH);
    pen(PS_SOLID, 1, 0);
    brush(0xFFFFFF);
}

GdiOps::~GdiOps() {
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldBitmap);
    DeleteObject(pen_);
    DeleteObject(brush_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void GdiOps::pen(int style, int width, std::uint32_t color) {
    LOGPEN p{static_cast<UINT>(style), POINT{width, width}, color};
    HPEN next = CreatePenIndirect(&p);
    SelectObject(dc_, next);
    if (pen_)
        DeleteObject(pen_);
    pen_ = next;
}

void GdiOps::brush(std::uint32_t color) {
    LOGBRUSH b{BS_SOLID, color, 0};
    HBRUSH next = CreateBrushIndirect(&b);
    SelectObject(dc_, next);
    if (brush_)
        DeleteObject(brush_);
    brush_ = next;
}

void GdiOps::mix(int mode) {
    SetROP2(dc_, mode);
}
void GdiOps::background(bool opaque, std::uint32_t color) {
    SetBkMode(dc_, opaque ? OPAQUE : TRANSPARENT);
    SetBkColor(dc_, color);
}
void GdiOps::clip(int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    SelectClipRgn(dc_, region);
    DeleteObject(region);
}
void GdiOps::moveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}
void GdiOps::lineTo(int x, int y) {
    LineTo(dc_, x, y);
}
void GdiOps::polyline(const std::vector<XY>& xy) {
    const auto p = points(xy);
    Polyline(dc_, p.data(), static_cast<int>(p.size()));
}
void GdiOps::polygon(const std::vector<XY>& xy) {
    const auto p = points(xy);
    Polygon(dc_, p.data(), static_cast<int>(p.size()));
}
void GdiOps::fillRect(int left, int top, int right, int bottom, std::uint32_t color) {
    LOGBRUSH b{BS_SOLID, color, 0};
    HBRUSH fill = CreateBrushIndirect(&b);
    RECT r{left, top, right, bottom};
    FillRect(dc_, &r, fill);
    DeleteObject(fill);
}
void GdiOps::ellipse(int left, int top, int right, int bottom) {
    Ellipse(dc_, left, top, right, bottom);
}
void GdiOps::arc(int left, int top, int right, int bottom, XY s, XY e) {
    Arc(dc_, left, top, right, bottom, s.x, s.y, e.x, e.y);
}
void GdiOps::pie(int left, int top, int right, int bottom, XY s, XY e) {
    Pie(dc_, left, top, right, bottom, s.x, s.y, e.x, e.y);
}
void GdiOps::setPixel(int x, int y, std::uint32_t color) {
    SetPixel(dc_, x, y, color);
}
void GdiOps::floodFill(int x, int y) {
    ExtFloodFill(dc_, x, y, GetPixel(dc_, x, y), FLOODFILLSURFACE);
}
raster::Surface GdiOps::read() {
    GdiFlush();
    return readBitmap(dc_, bitmap_);
}
