#include "gui/controls/stacked_images.h"

#include "gui/bitmap.h"

int limitedImage(int image, int count) {
    if (image < 0 || count < 2)
        return 0;
    return image < count ? image : count - 1;
}

int stackOffset(int image, int imageHeight) {
    if (imageHeight <= 0 || image <= 0)
        return 0;
    // Images and heights come from pictures, so the product fits; the
    // 64-bit step keeps a nonsense pair from overflowing.
    const long long offset = static_cast<long long>(image) * imageHeight;
    return offset > 1000000000LL ? 1000000000 : static_cast<int>(offset);
}

void drawPicture(Bitmap* picture, DrawContext* context, const Rect& r, const Point& source,
                 bool transparent) {
    if (!picture || !context)
        return;
    if (transparent)
        picture->drawTransparent(context, r, source);
    else
        picture->draw(context, r, source);
}
