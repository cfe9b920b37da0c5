// A drawing context on a memory bitmap of its own (or on a bitmap's
// picture), whose pixels can then be copied onto another context in one step.
// Its size is in units; its pixels are device pixels at the frame's scale.
#pragma once

#include "gui/draw_context.h"

class Bitmap;

class OffscreenContext : public DrawContext {
public:
    // The kind views use: width by height units, all in the background
    // colour, at the frame's scale. A view that copies the surface to
    // `gridOrigin` of the frame gives it, so that its pixels map as the
    // frame's own there (at fractional scales a unit is not always the same
    // number of pixels).
    OffscreenContext(Frame* frame, int width, int height, Color background = colorBlack,
                     Point gridOrigin = Point());
    // A surface of a bitmap's size: drawing on the bitmap itself (at scale 1,
    // the bitmap's own picture), or on a copy of it at the frame's scale.
    OffscreenContext(DrawContext* parent, Bitmap* bitmap, bool drawInBitmap = false);
    ~OffscreenContext() override;

    // Copies destRect's size from `source` (this surface's own pixels) to
    // destRect's top-left corner in dest, moved by dest's offset.
    void copyTo(DrawContext* dest, Rect destRect, Point source = Point());
    // Copies sourceRect, moved by the source's offset, to `destination` here.
    void copyFrom(DrawContext* source, Rect sourceRect, Point destination = Point());

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getDeviceWidth() const { return surfaceX(width); }
    int getDeviceHeight() const { return surfaceY(height); }
    platform::GraphicsObject getBitmapHandle() const { return offscreenBitmap; }

protected:
    void setSizeAndClip(int w, int h);

    Bitmap* bitmap = nullptr;
    int height = 0;
    int width = 0;
    bool ownsBitmap = false;
    Color backgroundColor = colorBlack;
    platform::GraphicsObject previousBitmap = nullptr; // kept, not selected back
    platform::GraphicsObject offscreenBitmap = nullptr;
};
