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
    for (int i = views.count() - 1; i >= 0; --i)
        if (views.at(i)->isMouseEnabled() && views.at(i)->hitTest(local, buttons)) {
            views.at(i)->onMouseDown(context, local);
            return;
        }
}

int ViewContainer::onKeyDown(KeyCode& key) {
    for (int i = views.count() - 1; i >= 0; --i) {
        const int result = views.at(i)->onKeyDown(key);
        if (result != -1)
            return result;
    }
    return -1;
}

int ViewContainer::onKeyUp(KeyCode& key) {
    for (int i = views.count() - 1; i >= 0; --i) {
        const int result = views.at(i)->onKeyUp(key);
        if (result != -1)
            return result;
    }
    return -1;
}

bool ViewContainer::onDrop(void** items, int count, int type, Point& where) {
    if (!frame)
        return false;
    Point local(where.h - bounds.left, where.v - bounds.top);
    for (int i = views.count() - 1; i >= 0; --i) {
        Rect area;
        views.at(i)->getMouseArea(area);
        if (views.at(i)->isMouseEnabled() && containsInclusive(area, local) &&
            views.at(i)->onDrop(items, count, type, local))
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
    for (int i = views.count() - 1; i >= 0; --i) {
        Rect area;
        views.at(i)->getMouseArea(area);
        if (!containsInclusive(area, local))
            continue;
        const ContainerCoordinates coordinates(context, bounds);
        Point moved(where.h - bounds.left, where.v - bounds.top);
        return views.at(i)->onWheel(context, moved, distance);
    }
    return false;
}

void ViewContainer::loseFocus(DrawContext* context) {
    for (int i = 0; i < views.count(); ++i)
        views.at(i)->loseFocus(context);
}

void ViewContainer::takeFocus(DrawContext* context) {
    for (int i = 0; i < views.count(); ++i)
        views.at(i)->takeFocus(context);
}
