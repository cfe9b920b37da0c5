#include "objects.h"

#include "kept.h"

namespace software {

bool deliverEvent(WindowObject* w, platform::WindowMessage& message) {
    return w && w->procedure && w->procedure(handle(w), message);
}

raster::Surface* TargetObject::surface() const {
    if (memory)
        return bitmap ? &bitmap->surface : nullptr;
    if (window)
        return &window->surface;
    return screen;
}

// Stock objects live in storage of the library's own, made on first use and
// never destroyed (see kept.h): a host's exit may still draw after the
// library's statics would have gone.
namespace {
template <typename T> T* stock(Kept<T>& kept) {
    T& o = kept.get();
    o.stock = true;
    return &o;
}
} // namespace

PenObject* stockBlackPen() {
    static Kept<PenObject> pen;
    return stock(pen);
}

PenObject* stockNullPenObject() {
    static Kept<PenObject> pen;
    PenObject* p = stock(pen);
    p->pen.style = raster::kNoPen;
    return p;
}

BrushObject* stockWhiteBrush() {
    static Kept<BrushObject> brush;
    return stock(brush);
}

FontObject* stockSystemFont() {
    static Kept<FontObject> font;
    FontObject* f = stock(font);
    if (f->description.height == 0) {
        f->description.height = 16;
        f->description.weight = 700;
        const char face[] = "System";
        for (std::size_t i = 0; i < sizeof face; ++i)
            f->description.faceName[i] = face[i];
    }
    return f;
}

BitmapObject* stockOneByOne() {
    static Kept<BitmapObject> bitmap;
    BitmapObject* b = stock(bitmap);
    if (b->surface.width() == 0)
        b->surface = raster::Surface(1, 1, true, raster::kBlack);
    return b;
}

raster::Surface& screenSurface() {
    static Kept<raster::Surface> screen;
    if (screen->width() == 0)
        *screen = raster::Surface(1024, 768, false, raster::kBlack);
    return *screen;
}

void freeObject(Object* o) {
    if (!o || o->stock)
        return;
    if (o->selections > 0) {
        o->deletePending = true;
        return;
    }
    TARVEL_COUNTED_OBJECTS(-1);
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
        TARVEL_COUNTED_OBJECTS(-1);
        delete o;
    }
}

} // namespace software
