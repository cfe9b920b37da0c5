// What the image controls share: drawing one picture (or one image of a
// vertical stack of equal images) with the view's transparency rule, and
// turning positions into image numbers that never read past a stack.
#pragma once

#include "gui/geometry.h"

class Bitmap;
class DrawContext;

// The image number limited to a stack of `count` images; 0 when the stack
// has fewer than two.
int limitedImage(int image, int count);

// Vertical offset of an image in a stack; 0 for heights that are not positive.
int stackOffset(int image, int imageHeight);

// Draws `picture` into r, reading from `source`: with its transparent colour
// left out when the control is transparent, plainly otherwise. Nothing for a
// null picture or context.
void drawPicture(Bitmap* picture, DrawContext* context, const Rect& r, const Point& source,
                 bool transparent);
