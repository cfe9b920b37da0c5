// How the frame paints: damaged areas on paint messages, the whole frame on
// request, and dirty views when the editor is idle.
#include <initializer_list>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "platform/graphics.h"
#include "platform/window.h"

void Frame::drawRect(DrawContext* context, const Rect& update) {
    firstDrawPending = false;
    if (background)
        background->draw(context, update, Point(update.left, update.top));
    for (int i = 0; i < views.count(); ++i)
        if (views.at(i)->overlaps(update))
            views.at(i)->drawRect(context, update);
    if (modalView && modalView->overlaps(update))
        modalView->draw(context);
    fillOutside(context, update);
}

// A window the host makes larger than the frame shows the outside colour
// there, never whatever lay under it. The strips right of the frame and
// below it: only paints of such a window reach beyond the bounds.
void Frame::fillOutside(DrawContext* context, const Rect& update) {
    const int width = bounds.getWidth();
    const int height = bounds.getHeight();
    Rect right(width, update.top, update.right, update.bottom);
    Rect below(update.left, height, width, update.bottom);
    right.bound(update);
    below.bound(update);
    if (right.isEmpty() && below.isEmpty())
        return;
    context->setFillColor(outsideColor);
    // fillRect leaves out the rectangle's left and top edges.
    for (const Rect& strip : {right, below})
        if (!strip.isEmpty())
            context->fillRect(Rect(strip.left - 1, strip.top - 1, strip.right, strip.bottom));
}

void Frame::draw(DrawContext* context) {
    firstDrawPending = false;
    if (background)
        background->draw(context, Rect(0, 0, background->getWidth(), background->getHeight()));
    for (int i = 0; i < views.count(); ++i)
        views.at(i)->draw(context);
    if (modalView)
        modalView->draw(context);
}

void Frame::redrawIfDirty(DrawContext* context) {
    if (!open_)
        return;
    if (modalView) {
        modalView->redrawIfDirty(context);
    } else if (isDirty()) {
        draw(context);
        setDirty(false);
    } else {
        for (int i = 0; i < views.count(); ++i)
            views.at(i)->redrawIfDirty(context);
    }
}

bool Frame::isSomethingDirty() {
    if (modalView || isDirty())
        return true;
    for (int i = 0; i < views.count(); ++i)
        if (views.at(i)->isDirty())
            return true;
    return false;
}

void Frame::idle() {
    // Where the host drives the editor by idle time alone, the window's own
    // events are handled here first.
    platform::dispatchWindowEvents();
    // Nothing is drawn into the window before it has been painted once.
    if (!open_ || !window || firstDrawPending || !isSomethingDirty())
        return;
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        redrawIfDirty(&context);
    }
    platform::releaseDC(window, dc);
}

void Frame::drawView(View* view) {
    if (!window)
        return;
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        if (view && isChild(view))
            view->draw(&context);
        else
            draw(&context);
    }
    platform::releaseDC(window, dc);
}

void Frame::invalidate(const Rect& r) {
    for (int i = 0; i < views.count(); ++i)
        if (views.at(i)->overlaps(r))
            views.at(i)->setDirty(true);
}
