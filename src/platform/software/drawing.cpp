// Shapes, pixels and flood fill on software-drawn targets.
#include <vector>

#include "counted.h"
#include "objects.h"
#include "platform/graphics.h"
#include "raster/shapes.h"

namespace platform {

using namespace software;

namespace {
std::vector<raster::Vertex> vertices(const DevicePoint* points, int count) {
    std::vector<raster::Vertex> v;
    if (points && count > 0)
        for (int i = 0; i < count; ++i)
            v.push_back({points[i].x, points[i].y});
    return v;
}
} // namespace

bool moveTo(DeviceContext dc, int x, int y) {
    TARVEL_COUNTED_CALL("MoveToEx");
    TargetObject* t = target(dc);
    if (!t)
        return false;
    t->state.x = x;
    t->state.y = y;
    return true;
}

bool lineTo(DeviceContext dc, int x, int y) {
    TARVEL_COUNTED_CALL("LineTo");
    TargetObject* t = target(dc);
    if (!t || !t->surface())
        return false;
    raster::lineTo(*t->surface(), t->state, x, y);
    return true;
}

bool polyline(DeviceContext dc, const DevicePoint* points, int count) {
    TARVEL_COUNTED_CALL("Polyline");
    TargetObject* t = target(dc);
    if (!t || !t->surface() || !points || count < 2)
        return false;
    const auto v = vertices(points, count);
    raster::polyline(*t->surface(), t->state, v.data(), count);
    return true;
}

bool polygon(DeviceContext dc, const DevicePoint* points, int count) {
    TARVEL_COUNTED_CALL("Polygon");
    TargetObject* t = target(dc);
    if (!t || !t->surface() || !points || count < 2)
        return false;
    const auto v = vertices(points, count);
    raster::polygon(*t->surface(), t->state, v.data(), count);
    return true;
}

bool fillRect(DeviceContext dc, const DeviceRect& rect, GraphicsObject brush) {
    TARVEL_COUNTED_CALL("FillRect");
    TargetObject* t = target(dc);
    Object* b = object(brush);
    if (!t || !t->surface() || !b || b->kind != Kind::Brush)
        return false;
    raster::fillBox(*t->surface(), t->state,
                    raster::Box{rect.left, rect.top, rect.right, rect.bottom},
                    static_cast<BrushObject*>(b)->brush.color);
    return true;
}

bool ellipse(DeviceContext dc, int left, int top, int right, int bottom) {
    TARVEL_COUNTED_CALL("Ellipse");
    TargetObject* t = target(dc);
    if (!t || !t->surface())
        return false;
    raster::ellipse(*t->surface(), t->state, raster::Box{left, top, right, bottom});
    return true;
}

bool arc(DeviceContext dc, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY) {
    TARVEL_COUNTED_CALL("Arc");
    TargetObject* t = target(dc);
    if (!t || !t->surface())
        return false;
    raster::arc(*t->surface(), t->state, raster::Box{left, top, right, bottom}, {startX, startY},
                {endX, endY});
    return true;
}

bool pie(DeviceContext dc, int left, int top, int right, int bottom, int startX, int startY,
         int endX, int endY) {
    TARVEL_COUNTED_CALL("Pie");
    TargetObject* t = target(dc);
    if (!t || !t->surface())
        return false;
    raster::pie(*t->surface(), t->state, raster::Box{left, top, right, bottom}, {startX, startY},
                {endX, endY});
    return true;
}

ColorValue setPixel(DeviceContext dc, int x, int y, ColorValue color) {
    TARVEL_COUNTED_CALL("SetPixel");
    TargetObject* t = target(dc);
    raster::Surface* s = t ? t->surface() : nullptr;
    if (!s || !s->inside(x, y) || !t->state.clip.contains(x, y))
        return kInvalidColor;
    s->set(x, y, color & 0xFFFFFF);
    return s->get(x, y);
}

ColorValue getPixel(DeviceContext dc, int x, int y) {
    TARVEL_COUNTED_CALL("GetPixel");
    TargetObject* t = target(dc);
    raster::Surface* s = t ? t->surface() : nullptr;
    if (!s || !s->inside(x, y) || !t->state.clip.contains(x, y))
        return kInvalidColor;
    return s->get(x, y);
}

bool floodFill(DeviceContext dc, int x, int y, ColorValue color, FloodFillType type) {
    TARVEL_COUNTED_CALL("ExtFloodFill");
    TargetObject* t = target(dc);
    if (!t || !t->surface())
        return false;
    return raster::floodFill(*t->surface(), t->state, x, y, color & 0xFFFFFF,
                             type == kFloodFillSurface);
}

} // namespace platform
