// What the image controls share: drawing one picture (or one image of a
// vertical stack of equal images) with the view's transparency rule, and
// turning float positions into whole pixels and image numbers without
// conversions that overflow or read past a stack.
#pragma once

#include "gui/geometry.h"

class Bitmap;
class DrawContext;

// Whole pixels toward zero. Values set from outside are not bounded: one
// that is not a number counts as 0, and one no pixel coordinate can hold
// stops far beyond either end.
int wholePixels(float x);

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
