// A picture from the plug-in's own bitmap resources, shared by reference
// counting and drawn plainly, with one colour left out, or blended. Its size
// is in panel units; drawn into a context at a scale above 1, it shows the
// resource drawn at that scale (scale::pictureResourceId), loaded the first
// time it is needed, never a stretched copy. A picture that exists at 1 only
// is shown at its own size.
#pragma once

#include "gui/geometry.h"
#include "platform/platform_types.h"

class DrawContext;

class Bitmap {
public:
    // Loads resource `resourceId`; only its low 16 bits name the resource.
    explicit Bitmap(int resourceId);
    // A blank picture compatible with the screen.
    Bitmap(int width, int height);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void retain() { ++refCount; }
    // Frees the bitmap at the transition from 1 to 0; returns the new count.
    int release();
    int getRefCount() const { return refCount; }

    int getResourceId() const { return resourceId; }
    // The picture at scale 1.
    platform::GraphicsObject getHandle() const { return handle; }
    bool isLoaded() const { return handle != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    void setTransparentColor(Color c) { transparentColor = c; }
    Color getTransparentColor() const { return transparentColor; }

    // Copies the picture from `src` into r (context coordinates).
    void draw(DrawContext* context, const Rect& r, const Point& src = Point());
    // As draw, leaving the context's pixels where the picture has the transparent colour.
    void drawTransparent(DrawContext* context, const Rect& r, const Point& src = Point());
    // As draw, blended over the context with constant opacity (255 opaque).
    void drawAlphaBlend(DrawContext* context, const Rect& r, const Point& src = Point(),
                        unsigned char alpha = 128);
    // Builds the mask from the context's pixels at `at`: 1 where they have the transparent colour.
    void setTransparencyMask(DrawContext* context, const Point& at = Point());

private:
    ~Bitmap();

    // What a drawing at a scale copies from: the picture and the scale it
    // was drawn at.
    struct Picture {
        platform::GraphicsObject handle;
        double scale;
    };
    Picture pictureFor(double s);
    // Where a copy of `r` from `src` lands at the context's scale, in device pixels.
    struct Copy {
        platform::GraphicsObject picture;
        int x, y, width, height, sourceX, sourceY;
    };
    Copy copyFor(DrawContext* context, const Rect& r, const Point& src);

    int resourceId = 0;
    int refCount = 1;
    int width = 0;
    int height = 0;
    Color transparentColor = colorWhite;
    platform::GraphicsObject handle = nullptr;
    platform::GraphicsObject mask = nullptr;
    // The picture at the last scale above 1 asked for (null when the
    // resources hold none at that scale).
    double scaledFor = 1.0;
    platform::GraphicsObject scaled = nullptr;
    int scaledWidth = 0;
    int scaledHeight = 0;
};
