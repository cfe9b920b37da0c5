// How the frame routes input: presses to the topmost view under the
// pointer (or only to the modal view), keys to the focus view first,
// drops and the wheel to the view under the pointer.
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {
// Every edge belongs to the view.
bool boundsContain(View* view, const Point& where) {
    Rect r;
    view->getBounds(r);
    return where.h >= r.left && where.h <= r.right && where.v >= r.top && where.v <= r.bottom;
}
} // namespace

void Frame::onMouseDown(DrawContext* context, Point& where) {
    // Any press takes the focus away first.
    if (focusView) {
        View* lost = focusView;
        focusView = nullptr;
        lost->loseFocus(nullptr);
    }
    const int buttons = context ? context->getMouseButtons() : -1;
    if (modalView) {
        if (modalView->hitTest(where, buttons))
            modalView->onMouseDown(context, where);
        return;
    }
    for (int i = views.count() - 1; i >= 0; --i) {
        View* view = views.at(i);
        if (view->isMouseEnabled() && view->hitTest(where, buttons)) {
            view->onMouseDown(context, where);
            return;
        }
    }
}

int Frame::onKeyDown(KeyCode& key) {
    if (focusView) {
        const int answer = focusView->onKeyDown(key);
        if (answer != -1)
            return answer;
    }
    if (modalView) {
        const int answer = modalView->onKeyDown(key);
        if (answer != -1)
            return answer;
    }
    for (int i = views.count() - 1; i >= 0; --i) {
        const int answer = views.at(i)->onKeyDown(key);
        if (answer != -1)
            return answer;
    }
    return -1;
}

int Frame::onKeyUp(KeyCode& key) {
    if (focusView) {
        const int answer = focusView->onKeyUp(key);
        if (answer != -1)
            return answer;
    }
    if (modalView) {
        const int answer = modalView->onKeyUp(key);
        if (answer != -1)
            return answer;
    }
    for (int i = views.count() - 1; i >= 0; --i) {
        const int answer = views.at(i)->onKeyUp(key);
        if (answer != -1)
            return answer;
    }
    return -1;
}

bool Frame::onDrop(void** items, int count, int type, Point& where) {
    // A modal or focus view is busy with the user: drops are refused.
    if (modalView || focusView)
        return false;
    for (int i = views.count() - 1; i >= 0; --i) {
        View* view = views.at(i);
        if (view->isMouseEnabled() && boundsContain(view, where) &&
            view->onDrop(items, count, type, where))
            return true;
    }
    return false;
}

View* Frame::getViewAt() {
    if (modalView)
        return modalView;
    Point where;
    getCurrentMouseLocation(where);
    for (int i = views.count() - 1; i >= 0; --i)
        if (boundsContain(views.at(i), where))
            return views.at(i);
    return nullptr;
}

bool Frame::onWheel(DrawContext* context, Point&, float distance) {
    View* view = getViewAt();
    if (!view)
        return false;
    // The wheel acts where the pointer is now, whatever point was passed in.
    Point where;
    getCurrentMouseLocation(where);
    if (context)
        return view->onWheel(context, where, distance);
    // Without a window there is nothing to draw the change into.
    if (!window)
        return false;
    platform::DeviceContext dc = platform::getDC(window);
    bool answer = false;
    {
        DrawContext temporary(this, dc, window);
        answer = view->onWheel(&temporary, where, distance);
    }
    platform::releaseDC(window, dc);
    return answer;
}

void Frame::getCurrentMouseLocation(Point& where) {
    platform::DevicePoint screen{0, 0};
    platform::cursorPosition(screen);
    where = Point(screen.x, screen.y);
    platform::DeviceRect corner;
    if (window && platform::windowRect(window, corner))
        where = Point(scale::toUnits(screen.x - corner.left, scale),
                      scale::toUnits(screen.y - corner.top, scale));
}
