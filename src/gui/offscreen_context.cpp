#include "gui/offscreen_context.h"

#include <algorithm>

#include "gui/bitmap.h"
#include "gui/frame.h"
#include "platform/graphics.h"

OffscreenContext::OffscreenContext(Frame* frame_, int w, int h, Color background, Point gridOrigin)
    : DrawContext(frame_, nullptr, nullptr), backgroundColor(background) {
    grid = gridOrigin;
    setSizeAndClip(w, h);
    ownsBitmap = true;
    const platform::Window host = frame_ ? frame_->getWindow() : nullptr;
    platform::DeviceContext windowContext = platform::getDC(host);
    systemContext = platform::createCompatibleDC(windowContext);
    offscreenBitmap =
        platform::createCompatibleBitmap(windowContext, getDeviceWidth(), getDeviceHeight());
    if (offscreenBitmap)
        previousBitmap = platform::selectObject(systemContext, offscreenBitmap);
    platform::releaseDC(host, windowContext);

    setFillColor(background);
    setFrameColor(background);
    fillRect(Rect(0, 0, width, height));
    frameRect(Rect(0, 0, width, height));
}

OffscreenContext::OffscreenContext(DrawContext* parent, Bitmap* bitmap_, bool drawInBitmap)
    : DrawContext(parent ? parent->getFrame() : nullptr, nullptr, nullptr), bitmap(bitmap_) {
    if (drawInBitmap)
        scale = 1.0;
    if (bitmap && bitmap->isLoaded())
        setSizeAndClip(bitmap->getWidth(), bitmap->getHeight());
    else
        setSizeAndClip(20, 20);
    platform::DeviceContext parentContext = parent ? parent->getSystemContext() : nullptr;
    systemContext = platform::createCompatibleDC(parentContext);
    if (drawInBitmap && bitmap && bitmap->isLoaded()) {
        offscreenBitmap = bitmap->getHandle();
        ownsBitmap = false;
        previousBitmap = platform::selectObject(systemContext, offscreenBitmap);
        return;
    }
    ownsBitmap = true;
    offscreenBitmap = platform::createCompatibleBitmap(
        parentContext ? parentContext : systemContext, getDeviceWidth(), getDeviceHeight());
    if (offscreenBitmap)
        previousBitmap = platform::selectObject(systemContext, offscreenBitmap);
    if (bitmap && bitmap->isLoaded()) {
        bitmap->draw(this, Rect(0, 0, width, height), Point(0, 0));
    } else {
        setFillColor(colorBlack);
        setFrameColor(colorBlack);
        fillRect(Rect(0, 0, width, height));
        frameRect(Rect(0, 0, width, height));
    }
}

OffscreenContext::~OffscreenContext() {
    platform::deleteDC(systemContext);
    systemContext = nullptr;
    if (ownsBitmap && offscreenBitmap)
        platform::deleteObject(offscreenBitmap);
}

void OffscreenContext::setSizeAndClip(int w, int h) {
    width = w;
    height = h;
    clipRect = Rect(std::min(0, w), std::min(0, h), std::max(0, w), std::max(0, h));
}

void OffscreenContext::copyTo(DrawContext* dest, Rect destRect, Point source) {
    if (!dest)
        return;
    const platform::DeviceRect to = dest->deviceRect(destRect);
    platform::bitBlt(dest->getSystemContext(), to.left, to.top, to.right - to.left,
                     to.bottom - to.top, systemContext, surfaceX(source.h), surfaceY(source.v),
                     platform::kRopSourceCopy);
}

void OffscreenContext::copyFrom(DrawContext* source, Rect sourceRect, Point destination) {
    if (!source)
        return;
    const platform::DeviceRect from = source->deviceRect(sourceRect);
    platform::bitBlt(systemContext, surfaceX(destination.h), surfaceY(destination.v),
                     from.right - from.left, from.bottom - from.top, source->getSystemContext(),
                     from.left, from.top, platform::kRopSourceCopy);
}
