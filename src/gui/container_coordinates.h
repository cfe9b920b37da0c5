// Puts a caller's drawing context into a container's coordinates for the
// length of a scope: the offset becomes the container's top-left corner and
// the window origin moves with it; both come back at the end.
#pragma once

#include "gui/draw_context.h"
#include "platform/system.h"

class ContainerCoordinates {
public:
    ContainerCoordinates(DrawContext* context, const Rect& bounds) : context_(context) {
        if (!context_)
            return;
        savedOffset = context_->offset;
        savedOrigin = context_->windowOrigin;
        Point corner = savedOrigin;
        platform::DeviceRect screen;
        if (context_->getWindow() && platform::windowRect(context_->getWindow(), screen))
            corner = Point(screen.left, screen.top);
        context_->offset = Point(bounds.left, bounds.top);
        context_->windowOrigin = Point(corner.h + bounds.left, corner.v + bounds.top);
    }
    ~ContainerCoordinates() {
        if (!context_)
            return;
        context_->offset = savedOffset;
        context_->windowOrigin = savedOrigin;
    }
    ContainerCoordinates(const ContainerCoordinates&) = delete;
    ContainerCoordinates& operator=(const ContainerCoordinates&) = delete;

private:
    DrawContext* context_;
    Point savedOffset;
    Point savedOrigin;
};
