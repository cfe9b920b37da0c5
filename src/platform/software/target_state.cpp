// Drawing objects and the state of drawing targets.
#include <cstring>

#include "counted.h"
#include "objects.h"
#include "platform/graphics.h"

namespace platform {

using namespace software;

namespace {
std::uint32_t lastErrorCode = 0;

template <typename T> void replaceSelection(T*& slot, T* next) {
    noteDeselected(slot);
    slot = next;
    noteSelected(next);
}
} // namespace

GraphicsObject currentObject(DeviceContext dc, ObjectKind kind) {
    TARVEL_COUNTED_CALL("GetCurrentObject");
    TargetObject* t = target(dc);
    if (!t)
        return nullptr;
    switch (kind) {
    case ObjectKind::Pen:
        return handle(t->pen);
    case ObjectKind::Brush:
        return handle(t->brush);
    case ObjectKind::Font:
        return handle(t->font);
    case ObjectKind::Bitmap:
        return handle(t->bitmap);
    }
    return nullptr;
}

GraphicsObject selectObject(DeviceContext dc, GraphicsObject h) {
    TARVEL_COUNTED_CALL("SelectObject");
    TargetObject* t = target(dc);
    Object* o = object(h);
    if (!t || !o)
        return nullptr;
    Object* previous = nullptr;
    switch (o->kind) {
    case Kind::Pen:
        previous = t->pen;
        replaceSelection(t->pen, static_cast<PenObject*>(o));
        t->state.pen = t->pen->pen;
        break;
    case Kind::Brush:
        previous = t->brush;
        replaceSelection(t->brush, static_cast<BrushObject*>(o));
        t->state.brush = t->brush->brush;
        break;
    case Kind::Font:
        previous = t->font;
        replaceSelection(t->font, static_cast<FontObject*>(o));
        break;
    case Kind::Bitmap:
        if (!t->memory)
            return nullptr;
        previous = t->bitmap;
        replaceSelection(t->bitmap, static_cast<BitmapObject*>(o));
        break;
    case Kind::Region:
        selectClipRegion(dc, h);
        return nullptr;
    }
    return handle(previous);
}

bool deleteObject(GraphicsObject h) {
    TARVEL_COUNTED_CALL("DeleteObject");
    if (!h)
        return false;
    freeObject(object(h));
    return true;
}

GraphicsObject stockNullPen() {
    TARVEL_COUNTED_CALL("GetStockObject");
    return handle(stockNullPenObject());
}

int setBackgroundMode(DeviceContext dc, BackgroundMode mode) {
    TARVEL_COUNTED_CALL("SetBkMode");
    TargetObject* t = target(dc);
    if (!t || (mode != kBackgroundOpaque && mode != kBackgroundTransparent))
        return 0;
    const int previous = t->state.opaqueBackground ? kBackgroundOpaque : kBackgroundTransparent;
    t->state.opaqueBackground = mode == kBackgroundOpaque;
    return previous;
}

ColorValue setBackgroundColor(DeviceContext dc, ColorValue color) {
    TARVEL_COUNTED_CALL("SetBkColor");
    TargetObject* t = target(dc);
    if (!t)
        return kInvalidColor;
    const ColorValue previous = t->state.backgroundColor;
    t->state.backgroundColor = color & 0xFFFFFF;
    return previous;
}

ColorValue setTextColor(DeviceContext dc, ColorValue color) {
    TARVEL_COUNTED_CALL("SetTextColor");
    TargetObject* t = target(dc);
    if (!t)
        return kInvalidColor;
    const ColorValue previous = t->state.textColor;
    t->state.textColor = color & 0xFFFFFF;
    return previous;
}

int setMixMode(DeviceContext dc, int mode) {
    TARVEL_COUNTED_CALL("SetROP2");
    TargetObject* t = target(dc);
    if (!t || mode < 1 || mode > 16)
        return 0;
    const int previous = t->mixMode;
    t->mixMode = mode;
    t->state.mix = mode;
    return previous;
}

GraphicsObject createPen(int style, int width, ColorValue color) {
    TARVEL_COUNTED_CALL("CreatePenIndirect");
    if (style != kPenSolid && style != kPenDot && style != kPenNull)
        return nullptr;
    PenObject* p = newObject<PenObject>();
    p->pen.style = style;
    p->pen.width = width < 1 ? 1 : width;
    p->pen.color = color & 0xFFFFFF;
    return handle(p);
}

GraphicsObject createSolidBrush(ColorValue color) {
    TARVEL_COUNTED_CALL("CreateBrushIndirect");
    BrushObject* b = newObject<BrushObject>();
    b->brush.color = color & 0xFFFFFF;
    return handle(b);
}

GraphicsObject createFont(const FontDescription& description) {
    TARVEL_COUNTED_CALL("CreateFontIndirectA");
    FontObject* f = newObject<FontObject>();
    f->description = description;
    f->description.faceName[sizeof f->description.faceName - 1] = '\0';
    return handle(f);
}

GraphicsObject createRectRegion(int left, int top, int right, int bottom) {
    TARVEL_COUNTED_CALL("CreateRectRgn");
    RegionObject* r = newObject<RegionObject>();
    r->box = raster::Box{left < right ? left : right, top < bottom ? top : bottom,
                         left < right ? right : left, top < bottom ? bottom : top};
    return handle(r);
}

int selectClipRegion(DeviceContext dc, GraphicsObject region) {
    TARVEL_COUNTED_CALL("SelectClipRgn");
    TargetObject* t = target(dc);
    if (!t)
        return 0;
    Object* o = object(region);
    if (!o) {
        t->state.clip = t->systemClip;
        return 2;
    }
    if (o->kind != Kind::Region)
        return 0;
    t->state.clip = static_cast<RegionObject*>(o)->box.intersect(t->systemClip);
    return t->state.clip.empty() ? 1 : 2;
}

std::uint32_t lastError() {
    TARVEL_COUNTED_CALL("GetLastError");
    return lastErrorCode;
}

} // namespace platform
