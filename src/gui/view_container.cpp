// The child list of a view container, its attributes and its offscreen surface.
#include "gui/view_container.h"

#include <new>

#include "gui/bitmap.h"
#include "gui/offscreen_context.h"

ViewContainer::ViewContainer(const Rect& r, Frame* owner, Bitmap* picture)
    : View(r), background(picture) {
    frame = owner;
    if (background)
        background->retain();
}

ViewContainer::~ViewContainer() {
    if (background)
        background->release();
    background = nullptr;
    removeAll(true);
    dropOffscreen();
}

void ViewContainer::makeOffscreen() {
    if (!offscreen)
        offscreen = new (std::nothrow)
            OffscreenContext(frame, bounds.getWidth(), bounds.getHeight(), colorBlack);
}

void ViewContainer::dropOffscreen() {
    delete offscreen;
    offscreen = nullptr;
}

void ViewContainer::addView(View* view, const Rect& area, bool enabled) {
    if (!view)
        return;
    view->setMouseEnabled(enabled);
    view->setMouseArea(area);
    addView(view);
}

void ViewContainer::addView(View* view) {
    if (!view)
        return;
    ViewNode* node = new (std::nothrow) ViewNode{view, nullptr, tail};
    if (!node)
        return;
    view->retain();
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    view->setParentView(this);
    view->setFrame(frame);
    view->onAttached(this);
    view->setDirty(true);
}

bool ViewContainer::detach(ViewNode* node, bool withRelease) {
    if (node->previous)
        node->previous->next = node->next;
    else
        head = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        tail = node->previous;
    View* view = node->view;
    delete node;
    view->onRemoved(this);
    // The creator's reference (withRelease) and the list's own. A view whose
    // creator already let go has only the list's reference left: it is freed
    // once, and never touched after that.
    const int held = view->getRefCount();
    if (withRelease && held > 1) {
        view->release();
        view->release();
        return held > 2;
    }
    view->release();
    return held > 1;
}

void ViewContainer::forget(View* view) {
    for (ViewNode* n = head; n;) {
        ViewNode* following = n->next;
        if (n->view == view) {
            if (n->previous)
                n->previous->next = n->next;
            else
                head = n->next;
            if (n->next)
                n->next->previous = n->previous;
            else
                tail = n->previous;
            delete n;
        }
        n = following;
    }
}

void ViewContainer::removeView(View* view, bool withRelease) {
    ViewNode* node = head;
    while (node) {
        ViewNode* next = node->next;
        if (node->view == view && !detach(node, withRelease)) {
            forget(view); // freed: further nodes with its address go unread
            return;
        }
        node = next;
    }
}

void ViewContainer::removeAll(bool withRelease) {
    while (head) {
        View* view = head->view;
        if (!detach(head, withRelease))
            forget(view);
    }
}

bool ViewContainer::isChild(View* view) {
    for (ViewNode* n = head; n; n = n->next)
        if (n->view == view)
            return true;
    return false;
}

int ViewContainer::getViewCount() {
    int count = 0;
    for (ViewNode* n = head; n; n = n->next)
        ++count;
    return count;
}

View* ViewContainer::getView(int index) {
    if (index < 0)
        return nullptr;
    for (ViewNode* n = head; n; n = n->next, --index)
        if (index == 0)
            return n->view;
    return nullptr;
}

void ViewContainer::setBackColor(Color color) {
    backColor = color;
}
Color ViewContainer::getBackColor() {
    return backColor;
}

void ViewContainer::setBackground(Bitmap* bitmap) {
    if (background)
        background->release();
    background = bitmap;
    if (background)
        background->retain();
}

Bitmap* ViewContainer::getBackground() {
    return background;
}
void ViewContainer::setBackgroundOffset(const Point& p) {
    backgroundOffset = p;
}
const Point& ViewContainer::getBackgroundOffset() {
    return backgroundOffset;
}
void ViewContainer::setRedrawMode(int mode) {
    redrawMode = mode;
}
int ViewContainer::getRedrawMode() {
    return redrawMode;
}

void ViewContainer::setUseOffscreen(bool value) {
    useOffscreen = value;
    if (!value)
        dropOffscreen();
}

bool ViewContainer::onAttached(View*) {
    if (useOffscreen && !offscreen)
        makeOffscreen();
    return true;
}

bool ViewContainer::onRemoved(View*) {
    dropOffscreen();
    return true;
}

void ViewContainer::setBounds(const Rect& r) {
    View::setBounds(r);
    if (offscreen) {
        dropOffscreen();
        makeOffscreen();
    }
}

int ViewContainer::onMessage(View*, const char* message) {
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

bool ViewContainer::isDirty() {
    if (dirty)
        return true;
    for (ViewNode* n = head; n; n = n->next)
        if (n->view->isDirty())
            return true;
    return false;
}

bool ViewContainer::hitTest(const Point& where, int buttons) {
    return View::hitTest(where, buttons);
}
