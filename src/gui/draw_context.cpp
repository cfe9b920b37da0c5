// Drawing state, shapes and pixels of a drawing context.
#include "gui/draw_context.h"

#include <algorithm>
#include <new>

#include "gui/frame.h"
#include "gui/scale.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

// Up to this many points are converted without touching the heap.
constexpr int kLocalPoints = 30;

// The points as device pixels, in a local array or, for long lists, on the heap.
class DevicePoints {
public:
    template <typename Map> DevicePoints(const Point* points, int count, Map map) {
        if (!points || count <= 0)
            return;
        data_ = count <= kLocalPoints ? local : new (std::nothrow) platform::DevicePoint[count];
        if (!data_)
            return;
        for (int i = 0; i < count; ++i)
            data_[i] = map(points[i]);
        count_ = count;
    }
    ~DevicePoints() {
        if (data_ != local)
            delete[] data_;
    }
    DevicePoints(const DevicePoints&) = delete;
    DevicePoints& operator=(const DevicePoints&) = delete;

    const platform::DevicePoint* data() const { return data_; }
    int count() const { return count_; }

private:
    platform::DevicePoint local[kLocalPoints];
    platform::DevicePoint* data_ = nullptr;
    int count_ = 0;
};

// Selects the stock null pen for one fill and puts the previous pen back.
class NullPenScope {
public:
    explicit NullPenScope(platform::DeviceContext dc)
        : dc_(dc), previous(platform::selectObject(dc, platform::stockNullPen())) {}
    ~NullPenScope() { platform::selectObject(dc_, previous); }
    NullPenScope(const NullPenScope&) = delete;
    NullPenScope& operator=(const NullPenScope&) = delete;

private:
    platform::DeviceContext dc_;
    platform::GraphicsObject previous;
};

} // namespace

DrawContext::DrawContext(Frame* frame_, platform::DeviceContext systemContext_,
                         platform::Window window_)
    : systemContext(systemContext_), window(window_), frame(frame_) {
    if (frame)
        scale = frame->getScale();
    clipRect = defaultClip();
    if (systemContext) {
        savedBrush = platform::currentObject(systemContext, platform::ObjectKind::Brush);
        savedPen = platform::currentObject(systemContext, platform::ObjectKind::Pen);
        savedFont = platform::currentObject(systemContext, platform::ObjectKind::Font);
        platform::setBackgroundMode(systemContext, platform::kBackgroundTransparent);
    }
    platform::DeviceRect screen;
    if (window && platform::windowRect(window, screen))
        windowOrigin = Point(screen.left, screen.top);
    if (systemContext) {
        setFrameColor(frameColor);
        setLineStyle(lineStyle);
        setFillColor(fillColor);
        setFontColor(fontColor);
    }
}

DrawContext::~DrawContext() {
    if (savedBrush)
        platform::selectObject(systemContext, savedBrush);
    if (savedPen)
        platform::selectObject(systemContext, savedPen);
    if (savedFont)
        platform::selectObject(systemContext, savedFont);
    if (brush)
        platform::deleteObject(brush);
    if (pen)
        platform::deleteObject(pen);
    if (font)
        platform::deleteObject(font);
}

int DrawContext::surfaceX(int x) const {
    return scale::toDevice(x + grid.h, scale) - scale::toDevice(grid.h, scale);
}

int DrawContext::surfaceY(int y) const {
    return scale::toDevice(y + grid.v, scale) - scale::toDevice(grid.v, scale);
}

int DrawContext::unitsCovering(int deviceLength) const {
    return -scale::toUnits(-deviceLength, scale);
}

void DrawContext::useDevicePixels() {
    if (scale == 1.0)
        return;
    scale = 1.0;
    grid = Point();
    makePen();
}

Rect DrawContext::defaultClip() const {
    Rect r(0, 0, 1000, 1000);
    if (frame)
        frame->getBounds(r);
    return r;
}

void DrawContext::moveTo(Point p) {
    const platform::DevicePoint d = device(p);
    platform::moveTo(systemContext, d.x, d.y);
}

void DrawContext::lineTo(Point p) {
    const platform::DevicePoint d = device(p);
    platform::lineTo(systemContext, d.x, d.y);
}

void DrawContext::polyline(const Point* points, int count) {
    const DevicePoints d(points, count, [this](Point p) { return device(p); });
    if (d.count() > 0)
        platform::polyline(systemContext, d.data(), d.count());
}

void DrawContext::fillPolygon(const Point* points, int count) {
    const DevicePoints d(points, count, [this](Point p) { return device(p); });
    if (d.count() == 0)
        return;
    const NullPenScope noOutline(systemContext);
    platform::polygon(systemContext, d.data(), d.count());
}

void DrawContext::frameRect(const Rect& r) {
    const platform::DevicePoint tl = device(Point(r.left, r.top));
    const platform::DevicePoint br = device(Point(r.right, r.bottom));
    platform::moveTo(systemContext, tl.x, tl.y);
    platform::lineTo(systemContext, br.x, tl.y);
    platform::lineTo(systemContext, br.x, br.y);
    platform::lineTo(systemContext, tl.x, br.y);
    platform::lineTo(systemContext, tl.x, tl.y);
}

void DrawContext::fillRect(const Rect& r) {
    const NullPenScope noOutline(systemContext);
    platform::fillRect(systemContext, deviceRect(Rect(r.left + 1, r.top + 1, r.right, r.bottom)),
                       brush);
}

void DrawContext::drawEllipse(const Rect& r) {
    const Point top(r.left + (r.right - r.left) / 2, r.top);
    drawArc(r, top, top);
}

void DrawContext::fillEllipse(const Rect& r) {
    const NullPenScope noOutline(systemContext);
    const platform::DeviceRect d =
        deviceRect(Rect(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1));
    platform::ellipse(systemContext, d.left, d.top, d.right, d.bottom);
}

void DrawContext::drawArc(const Rect& r, Point start, Point end) {
    const platform::DevicePoint s = device(start), e = device(end);
    const platform::DeviceRect d = deviceRect(Rect(r.left, r.top, r.right + 1, r.bottom + 1));
    platform::arc(systemContext, d.left, d.top, d.right, d.bottom, s.x, s.y, e.x, e.y);
}

void DrawContext::fillArc(const Rect& r, Point start, Point end) {
    const NullPenScope noOutline(systemContext);
    const platform::DevicePoint s = device(start), e = device(end);
    const platform::DeviceRect d = deviceRect(Rect(r.left + 1, r.top + 1, r.right, r.bottom));
    platform::pie(systemContext, d.left, d.top, d.right, d.bottom, s.x, s.y, e.x, e.y);
}

// A unit is a block of device pixels at a scale; the point colours all of it.
void DrawContext::drawPoint(Point p, Color c) {
    const platform::DeviceRect d = deviceRect(Rect(p.h, p.v, p.h + 1, p.v + 1));
    for (int y = d.top; y < d.bottom; ++y)
        for (int x = d.left; x < d.right; ++x)
            platform::setPixel(systemContext, x, y, colorValue(c));
}

Color DrawContext::getPoint(Point p) {
    const platform::DevicePoint d = device(p);
    const platform::ColorValue v = platform::getPixel(systemContext, d.x, d.y);
    return Color{platform::redOf(v), platform::greenOf(v), platform::blueOf(v), 0};
}

void DrawContext::floodFill(Point p) {
    const platform::DevicePoint d = device(p);
    const platform::ColorValue under = platform::getPixel(systemContext, d.x, d.y);
    platform::floodFill(systemContext, d.x, d.y, under, platform::kFloodFillSurface);
}

void DrawContext::makePen() {
    if (!systemContext)
        return;
    // A line one unit wide is as many device pixels wide.
    const int width = scale == 1.0 ? lineWidth : std::max(1, scale::toDevice(lineWidth, scale));
    platform::GraphicsObject next = platform::createPen(penStyle, width, colorValue(frameColor));
    if (!next)
        return;
    platform::selectObject(systemContext, next);
    if (pen)
        platform::deleteObject(pen);
    pen = next;
}

void DrawContext::setFrameColor(Color c) {
    frameColor = c;
    makePen();
}

void DrawContext::setLineStyle(int style) {
    lineStyle = style;
    penStyle = style == 1 ? platform::kPenDot : platform::kPenSolid;
    makePen();
}

void DrawContext::setLineWidth(int width) {
    lineWidth = width;
    makePen();
}

void DrawContext::setFillColor(Color c) {
    fillColor = c;
    if (!systemContext)
        return;
    platform::setBackgroundColor(systemContext, colorValue(c));
    platform::GraphicsObject next = platform::createSolidBrush(colorValue(c));
    if (!next) {
        platform::lastError(); // the previous brush stays
        return;
    }
    platform::selectObject(systemContext, next);
    if (brush)
        platform::deleteObject(brush);
    brush = next;
}

void DrawContext::setFontColor(Color c) {
    fontColor = c;
    if (systemContext)
        platform::setTextColor(systemContext, colorValue(c));
}

void DrawContext::setDrawMode(int mode) {
    if (mode == drawMode)
        return;
    drawMode = mode;
    const int mix = mode == 1   ? platform::kMixMergePen
                    : mode == 2 ? platform::kMixNotXorPen
                                : platform::kMixCopyPen;
    platform::setMixMode(systemContext, mix);
}

void DrawContext::setClipRect(const Rect& r) {
    clipRect = r;
    if (!systemContext)
        return;
    // The clip is in the surface's units, without the offset.
    platform::GraphicsObject region = platform::createRectRegion(
        surfaceX(r.left), surfaceY(r.top), surfaceX(r.right), surfaceY(r.bottom));
    platform::selectClipRegion(systemContext, region);
    platform::deleteObject(region);
}

void DrawContext::resetClipRect() {
    setClipRect(defaultClip());
}
