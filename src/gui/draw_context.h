// A drawing state wrapped around one platform drawing target. Coordinates
// are local: `offset` is added to each before the platform sees it. Pen,
// brush and font are made only by the setters, never per drawing operation.
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

    platform::DeviceContext getSystemContext() const { return systemContext; }
    platform::Window getWindow() const { return window; }
    Frame* getFrame() const { return frame; }

    Point windowOrigin; // subtracted from the screen pointer position
    Point offset;       // added to every drawing coordinate

protected:
    void makePen();
    Rect defaultClip() const;
    platform::DevicePoint device(Point p) const { return {p.h + offset.h, p.v + offset.v}; }

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
};

// The platform's colour value of a toolkit colour.
inline platform::ColorValue colorValue(const Color& c) {
    return platform::rgb(c.red, c.green, c.blue);
}
