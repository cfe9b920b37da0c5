// Drawing targets on windows, on the screen and in memory; block copies.
#include "counted.h"
#include "objects.h"
#include "platform/graphics.h"
#include "platform/software/software.h"
#include "raster/blit.h"

namespace software {

namespace {
TargetObject* newTarget() {
    TargetObject* t = new TargetObject();
    t->pen = stockBlackPen();
    t->brush = stockWhiteBrush();
    t->font = stockSystemFont();
    t->state.pen = t->pen->pen;
    t->state.brush = t->brush->brush;
    return t;
}

raster::BlitEnd blitEnd(TargetObject* t) {
    raster::BlitEnd end;
    end.surface = t->surface();
    end.clip = t->state.clip;
    end.textColor = t->state.textColor;
    end.backgroundColor = t->state.backgroundColor;
    return end;
}
} // namespace

const raster::Surface* surfaceOf(platform::DeviceContext dc) {
    return dc ? target(dc)->surface() : nullptr;
}

const raster::Surface* surfaceOf(platform::Window w) {
    return w ? &window(w)->surface : nullptr;
}

const raster::Surface* surfaceOf(platform::GraphicsObject bitmap) {
    Object* o = object(bitmap);
    return o && o->kind == Kind::Bitmap ? &static_cast<BitmapObject*>(o)->surface : nullptr;
}

const platform::FontDescription* selectedFontOf(platform::DeviceContext dc) {
    return dc && target(dc)->font ? &target(dc)->font->description : nullptr;
}

raster::BlitEnd blitEndOf(platform::DeviceContext dc) {
    return blitEnd(target(dc));
}

} // namespace software

namespace platform {

using namespace software;

DeviceContext getDC(Window w) {
    TARVEL_COUNTED_CALL("GetDC");
    if (w && !liveWindow(window(w)))
        return nullptr;
    TargetObject* t = newTarget();
    if (w)
        t->window = window(w);
    else
        t->screen = &screenSurface();
    return handle(t);
}

int releaseDC(Window, DeviceContext dc) {
    TARVEL_COUNTED_CALL("ReleaseDC");
    TargetObject* t = target(dc);
    if (!t || t->memory)
        return 0;
    if (t->window)
        windowTargetReleased(t->window);
    noteDeselected(t->pen);
    noteDeselected(t->brush);
    noteDeselected(t->font);
    delete t;
    return 1;
}

DeviceContext createCompatibleDC(DeviceContext) {
    TARVEL_COUNTED_CALL("CreateCompatibleDC");
    TargetObject* t = newTarget();
    t->memory = true;
    t->bitmap = stockOneByOne();
    return handle(t);
}

bool deleteDC(DeviceContext dc) {
    TARVEL_COUNTED_CALL("DeleteDC");
    TargetObject* t = target(dc);
    if (!t || !t->memory)
        return false;
    noteDeselected(t->pen);
    noteDeselected(t->brush);
    noteDeselected(t->font);
    noteDeselected(t->bitmap);
    delete t;
    return true;
}

GraphicsObject createCompatibleBitmap(DeviceContext dc, int width, int height) {
    TARVEL_COUNTED_CALL("CreateCompatibleBitmap");
    TargetObject* t = target(dc);
    if (width < 0 || height < 0)
        return nullptr;
    // A target whose surface is monochrome makes monochrome bitmaps; an empty
    // size gives a one-by-one monochrome bitmap.
    const raster::Surface* s = t ? t->surface() : &screenSurface();
    const bool mono = !s || s->monochrome() || width == 0 || height == 0;
    BitmapObject* b = newObject<BitmapObject>();
    b->surface = width == 0 || height == 0 ? raster::Surface(1, 1, true)
                                           : raster::Surface(width, height, mono);
    return handle(b);
}

GraphicsObject createMonochromeBitmap(int width, int height) {
    TARVEL_COUNTED_CALL("CreateBitmap");
    if (width < 0 || height < 0)
        return nullptr;
    BitmapObject* b = newObject<BitmapObject>();
    b->surface = width == 0 || height == 0 ? raster::Surface(1, 1, true)
                                           : raster::Surface(width, height, true);
    return handle(b);
}

bool bitmapSize(GraphicsObject bitmap, int& width, int& height) {
    TARVEL_COUNTED_CALL("GetObjectA");
    const raster::Surface* s = surfaceOf(bitmap);
    if (!s)
        return false;
    width = s->width();
    height = s->height();
    return true;
}

bool bitBlt(DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
            int sourceX, int sourceY, std::uint32_t rasterOp) {
    TARVEL_COUNTED_CALL("BitBlt");
    if (!dest || !source || !target(dest)->surface() || !target(source)->surface())
        return false;
    return raster::bitBlt(blitEndOf(dest), x, y, width, height, blitEndOf(source), sourceX, sourceY,
                          rasterOp);
}

} // namespace platform
