#include "objects.h"

namespace headless {

int liveObjects = 0;

raster::Surface* TargetObject::surface() const {
    if (memory)
        return bitmap ? &bitmap->surface : nullptr;
    if (window)
        return &window->surface;
    return screen;
}

// Stock objects are plain statics rather than heap objects kept for ever: a
// library that is unloaded and loaded again (as hosts do when they rescan)
// gives their memory back each time.
namespace {
template <typename T> T makeStock() {
    T o;
    o.stock = true;
    return o;
}
} // namespace

PenObject* stockBlackPen() {
    static PenObject pen = makeStock<PenObject>();
    return &pen;
}

PenObject* stockNullPenObject() {
    static PenObject pen = [] {
        PenObject p = makeStock<PenObject>();
        p.pen.style = raster::kNoPen;
        return p;
    }();
    return &pen;
}

BrushObject* stockWhiteBrush() {
    static BrushObject brush = makeStock<BrushObject>();
    return &brush;
}

FontObject* stockSystemFont() {
    static FontObject font = [] {
        FontObject f = makeStock<FontObject>();
        f.description.height = 16;
        f.description.weight = 700;
        const char face[] = "System";
        for (std::size_t i = 0; i < sizeof face; ++i)
            f.description.faceName[i] = face[i];
        return f;
    }();
    return &font;
}

BitmapObject* stockOneByOne() {
    static BitmapObject bitmap = [] {
        BitmapObject b = makeStock<BitmapObject>();
        b.surface = raster::Surface(1, 1, true, raster::kBlack);
        return b;
    }();
    return &bitmap;
}

raster::Surface& screenSurface() {
    static raster::Surface screen(1024, 768, false, raster::kBlack);
    return screen;
}

void freeObject(Object* o) {
    if (!o || o->stock)
        return;
    if (o->selections > 0) {
        o->deletePending = true;
        return;
    }
    --liveObjects;
    delete o;
}

void noteSelected(Object* o) {
    if (o)
        ++o->selections;
}

void noteDeselected(Object* o) {
    if (!o)
        return;
    --o->selections;
    if (o->selections == 0 && o->deletePending && !o->stock) {
        --liveObjects;
        delete o;
    }
}

} // namespace headless
