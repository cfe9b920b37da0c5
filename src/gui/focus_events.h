// What the frame's window hands to the focus view while that view has a
// platform pop-up menu or edit box open: owner-drawn menu items to measure
// and draw, and the colours of an edit box. Views that open either derive
// from this besides View; the frame asks its focus view for it.
#pragma once

#include <cstdint>

#include "gui/geometry.h"
#include "platform/platform_types.h"

class DrawContext;

class FocusEvents {
public:
    // Fills the size of the item that `itemData` stands for; false when the
    // item is not one of the view's.
    virtual bool measureMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned itemId,
                                 int& width, int& height) = 0;
    // Draws the item into r (the item's rectangle, its bottom one pixel
    // lower); `state` holds the platform's MenuItemState bits.
    virtual bool drawMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned itemId,
                              unsigned state, const Rect& r) = 0;
    // Sets the edit box's text and background colours on `dc` and answers
    // the brush its background is filled with; null leaves both to the system.
    virtual platform::GraphicsObject editColors(platform::DeviceContext dc) = 0;

protected:
    // Never deleted through this side: the view's own destructor runs.
    ~FocusEvents() = default;
};
