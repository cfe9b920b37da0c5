// How a view container paints itself and its children.
#include "gui/bitmap.h"
#include "gui/container_coordinates.h"
#include "gui/offscreen_context.h"
#include "gui/view_container.h"

void ViewContainer::drawBackgroundRect(DrawContext* context, const Rect& r) {
    const Point from(r.left + backgroundOffset.h, r.top + backgroundOffset.v);
    if (background) {
        if (transparent)
            background->drawTransparent(context, r, from);
        else
            background->draw(context, r, from);
    } else if (!transparent) {
        context->setFillColor(backColor);
        // The context's fill leaves out the rectangle's first column and
        // row; start one pixel earlier so the whole of r is painted.
        context->fillRect(Rect(r.left - 1, r.top - 1, r.right, r.bottom));
    }
}

void ViewContainer::draw(DrawContext* context) {
    if (useOffscreen)
        makeOffscreen();
    if (useOffscreen && offscreen) {
        drawBackgroundRect(offscreen, Rect(0, 0, bounds.getWidth(), bounds.getHeight()));
        for (int i = 0; i < views.count(); ++i)
            views.at(i)->draw(offscreen);
        offscreen->copyTo(context, bounds, Point(0, 0));
    } else if (context) {
        const ContainerCoordinates local(context, bounds);
        drawBackgroundRect(context, Rect(0, 0, bounds.getWidth(), bounds.getHeight()));
        for (int i = 0; i < views.count(); ++i)
            views.at(i)->draw(context);
    }
    setDirty(false);
}

void ViewContainer::drawRect(DrawContext* context, const Rect& update) {
    Rect clipped = update;
    clipped.bound(bounds);
    const Rect local(clipped.left - bounds.left, clipped.top - bounds.top,
                     clipped.right - bounds.left, clipped.bottom - bounds.top);
    if (useOffscreen)
        makeOffscreen();
    if (useOffscreen && offscreen) {
        drawBackgroundRect(offscreen, local);
        for (int i = 0; i < views.count(); ++i)
            if (views.at(i)->overlaps(local))
                views.at(i)->draw(offscreen);
        offscreen->copyTo(context, clipped, Point(local.left, local.top));
    } else if (context) {
        const ContainerCoordinates coordinates(context, bounds);
        drawBackgroundRect(context, local);
        for (int i = 0; i < views.count(); ++i)
            if (views.at(i)->overlaps(local))
                views.at(i)->draw(context);
    }
    setDirty(false);
}

void ViewContainer::redrawIfDirty(DrawContext* context) {
    if (redrawMode == 0) {
        if (isDirty())
            draw(context);
        return;
    }
    if (redrawMode != 1)
        return;
    if (dirty) {
        draw(context);
        setDirty(false);
        return;
    }
    if (useOffscreen && offscreen) {
        const bool somethingDirty = isDirty();
        for (int i = 0; i < views.count(); ++i)
            views.at(i)->redrawIfDirty(offscreen);
        if (somethingDirty)
            offscreen->copyTo(context, bounds, Point(0, 0));
    } else if (context) {
        const ContainerCoordinates coordinates(context, bounds);
        for (int i = 0; i < views.count(); ++i) {
            View* child = views.at(i);
            if (!child->isDirty())
                continue;
            // A nested container redraws its whole picture over the background
            // painted here, then gets its own mode back.
            ViewContainer* nested = nullptr;
            int nestedMode = 0;
            if (child->onMessage(this, kMsgCheckIfViewContainer) != 0) {
                nested = static_cast<ViewContainer*>(child);
                nestedMode = nested->getRedrawMode();
                nested->setRedrawMode(0);
            }
            Rect under;
            child->getBounds(under);
            drawBackgroundRect(context, under);
            child->redrawIfDirty(context);
            if (nested)
                nested->setRedrawMode(nestedMode);
        }
    }
    setDirty(false);
}
