// The press that picture buttons share: while the mouse state stays as it
// was at the press, the button shows one value while the pointer is on it
// and another when the pointer is moved off, so a press can be taken back by
// leaving the button before letting go.
#pragma once

#include "gui/geometry.h"

class Control;
class DrawContext;

// The first pass uses the press point itself, so a click released at once
// still sets `onButton` (and tells of it). The listener is told of every
// value that leaves the button dirty; returns when the state changes.
void trackButtonPress(Control& button, DrawContext* context, Point where, int pressState,
                      float onButton, float offButton);

// Tells the button's listener, if any, whatever the button's dirty state.
void tellListener(Control& button, DrawContext* context);
