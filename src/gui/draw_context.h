// A drawing state wrapped around one platform drawing target. Coordinates
// are local panel units: `offset` is added to each, and the sum is mapped to
// the target's device pixels at the context's scale before the platform sees
// it (at scale 1 units are pixels). Pen, brush and font are made only by the
// setters, never per drawing operation.
#pragma once

#include "gui/geometry.h"
#include "platform/platform_types.h"

class Frame;

// Mouse-state bits of `getMouseButtons`.
enum MouseState : int {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
};

// Styles of `setFont`.
enum FontStyle : int { kBoldFace = 1, kItalicFace = 2, kUnderlineFace = 4 };

// Horizontal alignment of `drawString`.
enum TextAlignment : int { kLeftText = 0, kCenterText = 1, kRightText = 2 };

class DrawContext {
public:
    DrawContext(Frame* frame, platform::DeviceContext systemContext, platform::Window window);
    virtual ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void moveTo(Point p);
    void lineTo(Point p);
    void polyline(const Point* points, int count);
    void fillPolygon(const Point* points, int count);
    void frameRect(const Rect& r);
    void fillRect(const Rect& r);
    void drawEllipse(const Rect& r);
    void fillEllipse(const Rect& r);
    void drawArc(const Rect& r, Point start, Point end);
    void fillArc(const Rect& r, Point start, Point end);
    void drawPoint(Point p, Color c);
    Color getPoint(Point p);
    void floodFill(Point p);

    void setFrameColor(Color c);
    Color getFrameColor() const { return frameColor; }
    void setLineStyle(int style);
    int getLineStyle() const { return lineStyle; }
    void setLineWidth(int width);
    int getLineWidth() const { return lineWidth; }
    void setFillColor(Color c);
    Color getFillColor() const { return fillColor; }
    void setFontColor(Color c);
    Color getFontColor() const { return fontColor; }
    void setDrawMode(int mode);
    int getDrawMode() const { return drawMode; }
    void setClipRect(const Rect& r);
    Rect& getClipRect(Rect& r) const { return r = clipRect; }
    void resetClipRect();

    void setFont(int fontId, int size = 0, int style = 0);
    int getFont() const { return fontId; }
    int getFontSize() const { return fontSize; }
    int getStringWidth(const char* text);
    void drawString(const char* text, const Rect& r, bool opaque = false, int align = kCenterText);

    int getMouseButtons();
    void getMouseLocation(Point& p);
    bool waitDoubleClick();
    bool waitDrag();

    // Device pixels per panel unit: the frame's scale for a context on its
    // window or an offscreen surface made for it.
    double getScale() const { return scale; }
    // Draws in device pixels (scale 1), for targets the window system sizes
    // itself (menu items); called before any font is chosen.
    void useDevicePixels();

    // Local units as device pixels of the target: the offset added, then
    // mapped at the scale. A surface whose pixel 0 stands for unit `grid` of
    // the frame maps as the frame does, so what it copies to the window
    // lines up with the rest.
    int surfaceX(int x) const;
    int surfaceY(int y) const;
    int deviceX(int x) const { return surfaceX(x + offset.h); }
    int deviceY(int y) const { return surfaceY(y + offset.v); }
    platform::DevicePoint device(Point p) const { return {deviceX(p.h), deviceY(p.v)}; }
    platform::DeviceRect deviceRect(const Rect& r) const {
        return {deviceX(r.left), deviceY(r.top), deviceX(r.right), deviceY(r.bottom)};
    }
    // A device length in units, rounded up so the units cover it.
    int unitsCovering(int deviceLength) const;

    platform::DeviceContext getSystemContext() const { return systemContext; }
    platform::Window getWindow() const { return window; }
    Frame* getFrame() const { return frame; }

    Point windowOrigin; // subtracted from the screen pointer position
    Point offset;       // added to every drawing coordinate

protected:
    void makePen();
    Rect defaultClip() const;

    platform::DeviceContext systemContext;
    platform::Window window;
    Frame* frame;
    int fontSize = 0;
    int fontId = 0;
    Color fontColor = colorWhite;
    int lineWidth = 1;
    Color frameColor = colorWhite;
    Color fillColor = colorBlack;
    int lineStyle = 0;
    int drawMode = 0;
    Rect clipRect;
    platform::GraphicsObject brush = nullptr;
    platform::GraphicsObject pen = nullptr;
    platform::GraphicsObject font = nullptr;
    platform::GraphicsObject savedBrush = nullptr;
    platform::GraphicsObject savedPen = nullptr;
    platform::GraphicsObject savedFont = nullptr;
    int penStyle = platform::kPenSolid;
    double scale = 1.0;
    Point grid;
};

// The platform's colour value of a toolkit colour.
inline platform::ColorValue colorValue(const Color& c) {
    return platform::rgb(c.red, c.green, c.blue);
}
