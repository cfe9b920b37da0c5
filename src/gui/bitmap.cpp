// Loading, sharing and plain drawing of bitmaps.
#include "gui/bitmap.h"

#include <algorithm>

#include "gui/draw_context.h"
#include "gui/scale.h"
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
    if (scaled)
        platform::deleteObject(scaled);
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

Bitmap::Picture Bitmap::pictureFor(double s) {
    if (s == 1.0 || resourceId == 0)
        return {handle, 1.0};
    if (s != scaledFor) {
        if (scaled)
            platform::deleteObject(scaled);
        scaledFor = s;
        const int id = scale::pictureResourceId(resourceId & 0xFFFF, s);
        scaled = id > 0 && id <= 0xFFFF
                     ? platform::loadBitmapResource(platform::moduleHandle(),
                                                    static_cast<std::uint16_t>(id))
                     : nullptr;
        if (scaled && !platform::bitmapSize(scaled, scaledWidth, scaledHeight)) {
            platform::deleteObject(scaled);
            scaled = nullptr;
        }
    }
    if (scaled)
        return {scaled, s};
    return {handle, 1.0};
}

Bitmap::Copy Bitmap::copyFor(DrawContext* context, const Rect& r, const Point& src) {
    const Picture p = pictureFor(context->getScale());
    const platform::DeviceRect to = context->deviceRect(r);
    Copy c{p.handle,
           to.left,
           to.top,
           to.right - to.left,
           to.bottom - to.top,
           scale::toDevice(src.h, p.scale),
           scale::toDevice(src.v, p.scale)};
    // A picture drawn at the scale is copied whole where its units map to a
    // pixel less at this position (fractional scales), but never read
    // beyond; a picture at scale 1 is shown at its own size.
    if (p.scale != 1.0) {
        c.width = std::max(0, std::min(std::max(c.width, scale::toDevice(r.getWidth(), p.scale)),
                                       scaledWidth - c.sourceX));
        c.height = std::max(0, std::min(std::max(c.height, scale::toDevice(r.getHeight(), p.scale)),
                                        scaledHeight - c.sourceY));
    } else if (context->getScale() != 1.0) {
        c.width = r.getWidth();
        c.height = r.getHeight();
    }
    return c;
}

void Bitmap::draw(DrawContext* context, const Rect& r, const Point& src) {
    if (!handle || !context)
        return;
    const Copy c = copyFor(context, r, src);
    platform::DeviceContext target = context->getSystemContext();
    platform::DeviceContext picture = platform::createCompatibleDC(target);
    platform::GraphicsObject previous = platform::selectObject(picture, c.picture);
    platform::bitBlt(target, c.x, c.y, c.width, c.height, picture, c.sourceX, c.sourceY,
                     platform::kRopSourceCopy);
    platform::selectObject(picture, previous);
    platform::deleteDC(picture);
}
