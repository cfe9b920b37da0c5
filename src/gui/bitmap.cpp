// Loading, sharing and plain drawing of bitmaps.
#include "gui/bitmap.h"

#include "gui/draw_context.h"
#include "platform/graphics.h"
#include "platform/system.h"

Bitmap::Bitmap(int id) : resourceId(id) {
    handle = platform::loadBitmapResource(platform::moduleHandle(),
                                          static_cast<std::uint16_t>(id & 0xFFFF));
    if (handle && !platform::bitmapSize(handle, width, height))
        width = height = 0;
}

Bitmap::Bitmap(int w, int h) {
    platform::DeviceContext screen = platform::getDC(nullptr);
    handle = platform::createCompatibleBitmap(screen, w, h);
    platform::releaseDC(nullptr, screen);
    if (handle && !platform::bitmapSize(handle, width, height))
        width = height = 0;
}

Bitmap::~Bitmap() {
    if (handle)
        platform::deleteObject(handle);
    if (mask)
        platform::deleteObject(mask);
}

int Bitmap::release() {
    if (refCount <= 0)
        return refCount;
    if (--refCount == 0) {
        delete this;
        return 0;
    }
    return refCount;
}

void Bitmap::draw(DrawContext* context, const Rect& r, const Point& src) {
    if (!handle || !context)
        return;
    platform::DeviceContext target = context->getSystemContext();
    platform::DeviceContext picture = platform::createCompatibleDC(target);
    platform::GraphicsObject previous = platform::selectObject(picture, handle);
    platform::bitBlt(target, r.left + context->offset.h, r.top + context->offset.v, r.getWidth(),
                     r.getHeight(), picture, src.h, src.v, platform::kRopSourceCopy);
    platform::selectObject(picture, previous);
    platform::deleteDC(picture);
}
