// How a view container routes presses, keys, drops and the wheel.
#include "gui/container_coordinates.h"
#include "gui/frame.h"
#include "gui/view_container.h"

namespace {
bool containsInclusive(const Rect& r, const Point& p) {
    return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}
} // namespace

void ViewContainer::onMouseDown(DrawContext* context, Point& where) {
    Point local(where.h - bounds.left, where.v - bounds.top);
    const ContainerCoordinates coordinates(context, bounds);
    const int buttons = context ? context->getMouseButtons() : -1;
    for (ViewNode* n = tail; n; n = n->previous)
        if (n->view->isMouseEnabled() && n->view->hitTest(local, buttons)) {
            n->view->onMouseDown(context, local);
            return;
        }
}

int ViewContainer::onKeyDown(KeyCode& key) {
    for (ViewNode* n = tail; n; n = n->previous) {
        const int result = n->view->onKeyDown(key);
        if (result != -1)
            return result;
    }
    return -1;
}

int ViewContainer::onKeyUp(KeyCode& key) {
    for (ViewNode* n = tail; n; n = n->previous) {
        const int result = n->view->onKeyUp(key);
        if (result != -1)
            return result;
    }
    return -1;
}

bool ViewContainer::onDrop(void** items, int count, int type, Point& where) {
    if (!frame)
        return false;
    Point local(where.h - bounds.left, where.v - bounds.top);
    for (ViewNode* n = tail; n; n = n->previous) {
        Rect area;
        n->view->getMouseArea(area);
        if (n->view->isMouseEnabled() && containsInclusive(area, local) &&
            n->view->onDrop(items, count, type, local))
            return true;
    }
    return false;
}

bool ViewContainer::onWheel(DrawContext* context, Point& where, float distance) {
    if (!frame)
        return false;
    Point pointer;
    frame->getCurrentMouseLocation(pointer);
    const Point local(pointer.h - bounds.left, pointer.v - bounds.top);
    for (ViewNode* n = tail; n; n = n->previous) {
        Rect area;
        n->view->getMouseArea(area);
        if (!containsInclusive(area, local))
            continue;
        const ContainerCoordinates coordinates(context, bounds);
        Point moved(where.h - bounds.left, where.v - bounds.top);
        return n->view->onWheel(context, moved, distance);
    }
    return false;
}

void ViewContainer::loseFocus(DrawContext* context) {
    for (ViewNode* n = head; n; n = n->next)
        n->view->loseFocus(context);
}

void ViewContainer::takeFocus(DrawContext* context) {
    for (ViewNode* n = head; n; n = n->next)
        n->view->takeFocus(context);
}
