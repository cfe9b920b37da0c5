#include "screen_image.h"

#include <X11/Xutil.h>

#include <cstdlib>

#include "connection.h"

namespace x11 {

namespace {
GC sharedContext = nullptr;

// Where a colour channel sits in a pixel of the visual: its lowest bit and width.
struct Channel {
    int shift = 0;
    int bits = 0;
};

Channel channelOf(unsigned long mask) {
    Channel c;
    if (!mask)
        return c;
    while (!(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

unsigned long place(unsigned value, const Channel& c) {
    return static_cast<unsigned long>(c.bits >= 8 ? value << (c.bits - 8) : value >> (8 - c.bits))
           << c.shift;
}

unsigned take(unsigned long pixel, const Channel& c) {
    const unsigned long v = (pixel >> c.shift) & ((1ul << c.bits) - 1);
    return static_cast<unsigned>(c.bits >= 8 ? v >> (c.bits - 8) : v << (8 - c.bits));
}
} // namespace

GC graphicsContext(Display* display) {
    if (!sharedContext)
        sharedContext = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
    return sharedContext;
}

void releaseGraphicsContext(Display* display) {
    if (sharedContext)
        XFreeGC(display, sharedContext);
    sharedContext = nullptr;
}

int graphicsContextCount() {
    return sharedContext ? 1 : 0;
}

void present(NativeWindow* w, const raster::Box& area) {
    Display* display = openDisplay();
    const raster::Box box = area.intersect(w->surface.bounds());
    if (!display || box.empty())
        return;
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    const int depth = DefaultDepth(display, DefaultScreen(display));
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    // 32 bits per pixel: what servers use for depths 24 and 32.
    char* data = static_cast<char*>(std::malloc(static_cast<std::size_t>(width) * height * 4));
    if (!data)
        return;
    XImage* image =
        XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                     static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!image) {
        std::free(data);
        return;
    }
    const Channel red = channelOf(visual->red_mask);
    const Channel green = channelOf(visual->green_mask);
    const Channel blue = channelOf(visual->blue_mask);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const raster::Pixel p = w->surface.get(box.left + x, box.top + y);
            XPutPixel(image, x, y,
                      place(p & 0xFF, red) | place((p >> 8) & 0xFF, green) |
                          place((p >> 16) & 0xFF, blue));
        }
    {
        // The host may have destroyed its window, and ours with it, unseen yet.
        ErrorTrap trap(display);
        XPutImage(display, w->id, graphicsContext(display), image, 0, 0, box.left, box.top,
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
    }
    XDestroyImage(image); // frees `data` too
}

raster::Surface capture(Display* display, ::Window window) {
    XWindowAttributes attributes;
    if (!display || !XGetWindowAttributes(display, window, &attributes))
        return raster::Surface();
    return captureArea(display, window, raster::Box{0, 0, attributes.width, attributes.height});
}

raster::Surface captureArea(Display* display, ::Window window, const raster::Box& area) {
    XWindowAttributes attributes;
    if (!display || !XGetWindowAttributes(display, window, &attributes))
        return raster::Surface();
    const raster::Box box = area.intersect(raster::Box{0, 0, attributes.width, attributes.height});
    if (box.empty())
        return raster::Surface();
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    XImage* image = XGetImage(display, window, box.left, box.top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return raster::Surface();
    const Channel red = channelOf(attributes.visual->red_mask);
    const Channel green = channelOf(attributes.visual->green_mask);
    const Channel blue = channelOf(attributes.visual->blue_mask);
    raster::Surface out(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            out.set(x, y, take(p, red) | take(p, green) << 8 | take(p, blue) << 16);
        }
    XDestroyImage(image);
    return out;
}

} // namespace x11
