// Drawing through GDI: each operation is the one GDI call of the same meaning.
#include <windows.h>

#include "handles.h"
#include "platform/graphics.h"

namespace platform {

using namespace win32;

static_assert(sizeof(DevicePoint) == sizeof(POINT), "points have the layout of POINT");
static_assert(sizeof(DeviceRect) == sizeof(RECT), "rectangles have the layout of RECT");
static_assert(sizeof(FontDescription) == sizeof(LOGFONTA), "font requests are LOGFONTA");

GraphicsObject currentObject(DeviceContext d, ObjectKind kind) {
    UINT type = OBJ_PEN;
    switch (kind) {
    case ObjectKind::Pen:
        type = OBJ_PEN;
        break;
    case ObjectKind::Brush:
        type = OBJ_BRUSH;
        break;
    case ObjectKind::Font:
        type = OBJ_FONT;
        break;
    case ObjectKind::Bitmap:
        type = OBJ_BITMAP;
        break;
    }
    return object(GetCurrentObject(hdc(d), type));
}

GraphicsObject selectObject(DeviceContext d, GraphicsObject o) {
    return object(SelectObject(hdc(d), gdi(o)));
}

bool deleteObject(GraphicsObject o) {
    return DeleteObject(gdi(o)) != 0;
}
GraphicsObject stockNullPen() {
    return object(GetStockObject(NULL_PEN));
}
int setBackgroundMode(DeviceContext d, BackgroundMode mode) {
    return SetBkMode(hdc(d), mode);
}
ColorValue setBackgroundColor(DeviceContext d, ColorValue c) {
    return SetBkColor(hdc(d), c);
}
ColorValue setTextColor(DeviceContext d, ColorValue c) {
    return SetTextColor(hdc(d), c);
}
int setMixMode(DeviceContext d, int mode) {
    return SetROP2(hdc(d), mode);
}

GraphicsObject createPen(int style, int width, ColorValue color) {
    LOGPEN pen{};
    pen.lopnStyle = static_cast<UINT>(style);
    pen.lopnWidth.x = width;
    pen.lopnWidth.y = width;
    pen.lopnColor = color;
    return object(CreatePenIndirect(&pen));
}

GraphicsObject createSolidBrush(ColorValue color) {
    LOGBRUSH brush{};
    brush.lbStyle = BS_SOLID;
    brush.lbColor = color;
    return object(CreateBrushIndirect(&brush));
}

GraphicsObject createFont(const FontDescription& description) {
    return object(CreateFontIndirectA(reinterpret_cast<const LOGFONTA*>(&description)));
}

GraphicsObject createRectRegion(int left, int top, int right, int bottom) {
    return object(CreateRectRgn(left, top, right, bottom));
}

int selectClipRegion(DeviceContext d, GraphicsObject region) {
    return SelectClipRgn(hdc(d), reinterpret_cast<HRGN>(region));
}

std::uint32_t lastError() {
    return GetLastError();
}

bool moveTo(DeviceContext d, int x, int y) {
    return MoveToEx(hdc(d), x, y, nullptr) != 0;
}
bool lineTo(DeviceContext d, int x, int y) {
    return LineTo(hdc(d), x, y) != 0;
}

bool polyline(DeviceContext d, const DevicePoint* points, int count) {
    return Polyline(hdc(d), reinterpret_cast<const POINT*>(points), count) != 0;
}

bool polygon(DeviceContext d, const DevicePoint* points, int count) {
    return Polygon(hdc(d), reinterpret_cast<const POINT*>(points), count) != 0;
}

bool fillRect(DeviceContext d, const DeviceRect& rect, GraphicsObject brush) {
    return FillRect(hdc(d), reinterpret_cast<const RECT*>(&rect),
                    reinterpret_cast<HBRUSH>(brush)) != 0;
}

bool ellipse(DeviceContext d, int left, int top, int right, int bottom) {
    return Ellipse(hdc(d), left, top, right, bottom) != 0;
}

bool arc(DeviceContext d, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY) {
    return Arc(hdc(d), left, top, right, bottom, startX, startY, endX, endY) != 0;
}

bool pie(DeviceContext d, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY) {
    return Pie(hdc(d), left, top, right, bottom, startX, startY, endX, endY) != 0;
}

ColorValue setPixel(DeviceContext d, int x, int y, ColorValue c) {
    return SetPixel(hdc(d), x, y, c);
}
ColorValue getPixel(DeviceContext d, int x, int y) {
    return GetPixel(hdc(d), x, y);
}

bool floodFill(DeviceContext d, int x, int y, ColorValue color, FloodFillType type) {
    return ExtFloodFill(hdc(d), x, y, color,
                        type == kFloodFillSurface ? FLOODFILLSURFACE : FLOODFILLBORDER) != 0;
}

bool textExtent(DeviceContext d, const char* text, int length, int& width, int& height) {
    SIZE size{};
    if (!GetTextExtentPoint32A(hdc(d), text, length, &size))
        return false;
    width = size.cx;
    height = size.cy;
    return true;
}

int drawText(DeviceContext d, const char* text, int length, DeviceRect& rect, unsigned format) {
    return DrawTextA(hdc(d), text, length, reinterpret_cast<RECT*>(&rect), format);
}

DeviceContext getDC(Window w) {
    return dc(GetDC(hwnd(w)));
}
int releaseDC(Window w, DeviceContext d) {
    return ReleaseDC(hwnd(w), hdc(d));
}
DeviceContext createCompatibleDC(DeviceContext d) {
    return dc(CreateCompatibleDC(hdc(d)));
}
bool deleteDC(DeviceContext d) {
    return DeleteDC(hdc(d)) != 0;
}

GraphicsObject createCompatibleBitmap(DeviceContext d, int width, int height) {
    return object(CreateCompatibleBitmap(hdc(d), width, height));
}

GraphicsObject createMonochromeBitmap(int width, int height) {
    return object(CreateBitmap(width, height, 1, 1, nullptr));
}

bool bitmapSize(GraphicsObject bitmap, int& width, int& height) {
    BITMAP record{};
    if (!GetObjectA(gdi(bitmap), sizeof record, &record))
        return false;
    width = record.bmWidth;
    height = record.bmHeight;
    return true;
}

bool bitBlt(DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
            int sourceX, int sourceY, std::uint32_t rasterOp) {
    return BitBlt(hdc(dest), x, y, width, height, hdc(source), sourceX, sourceY, rasterOp) != 0;
}

} // namespace platform
