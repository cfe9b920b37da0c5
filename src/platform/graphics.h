// Drawing targets, drawing objects and drawing operations. Coordinates are
// device pixels of the target; every call on a null target fails quietly.
#pragma once

#include "platform/platform_types.h"

namespace platform {

// Target state and the objects selected into it.
GraphicsObject currentObject(DeviceContext dc, ObjectKind kind);
GraphicsObject selectObject(DeviceContext dc, GraphicsObject object); // returns the previous one
bool deleteObject(GraphicsObject object);
GraphicsObject stockNullPen();
int setBackgroundMode(DeviceContext dc, BackgroundMode mode);
ColorValue setBackgroundColor(DeviceContext dc, ColorValue color); // returns the previous one
ColorValue setTextColor(DeviceContext dc, ColorValue color);       // returns the previous one
int setMixMode(DeviceContext dc, int mode);

// Object creation; null on failure.
GraphicsObject createPen(int style, int width, ColorValue color);
GraphicsObject createSolidBrush(ColorValue color);
GraphicsObject createFont(const FontDescription& description);
GraphicsObject createRectRegion(int left, int top, int right, int bottom);
int selectClipRegion(DeviceContext dc, GraphicsObject region);
std::uint32_t lastError();

// Shapes. Lines leave out their end point; rectangles and the boxes of
// ellipses, arcs and pies leave out their right and bottom edges.
bool moveTo(DeviceContext dc, int x, int y);
bool lineTo(DeviceContext dc, int x, int y);
bool polyline(DeviceContext dc, const DevicePoint* points, int count);
bool polygon(DeviceContext dc, const DevicePoint* points, int count);
bool fillRect(DeviceContext dc, const DeviceRect& rect, GraphicsObject brush);
bool ellipse(DeviceContext dc, int left, int top, int right, int bottom);
bool arc(DeviceContext dc, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY);
bool pie(DeviceContext dc, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY);
ColorValue setPixel(DeviceContext dc, int x, int y, ColorValue color);
ColorValue getPixel(DeviceContext dc, int x, int y);
bool floodFill(DeviceContext dc, int x, int y, ColorValue color, FloodFillType type);

// Text with the selected font.
bool textExtent(DeviceContext dc, const char* text, int length, int& width, int& height);
int drawText(DeviceContext dc, const char* text, int length, DeviceRect& rect, unsigned format);

// Targets on windows and in memory, and copies between them.
DeviceContext getDC(Window window); // null window: the whole screen
int releaseDC(Window window, DeviceContext dc);
DeviceContext createCompatibleDC(DeviceContext dc);
bool deleteDC(DeviceContext dc);
GraphicsObject createCompatibleBitmap(DeviceContext dc, int width, int height);
GraphicsObject createMonochromeBitmap(int width, int height); // one plane, one bit per pixel
bool bitmapSize(GraphicsObject bitmap, int& width, int& height);
bool bitBlt(DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
            int sourceX, int sourceY, std::uint32_t rasterOp);

} // namespace platform
