// The child list of a view container, its attributes and its offscreen surface.
#include "gui/view_container.h"

#include <new>

#include "gui/bitmap.h"
#include "gui/frame.h"
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
    // A surface made before the frame's scale changed is made again.
    if (offscreen && frame && offscreen->getScale() != frame->getScale())
        dropOffscreen();
    if (!offscreen)
        offscreen =
            new (std::nothrow) OffscreenContext(frame, bounds.getWidth(), bounds.getHeight(),
                                                colorBlack, Point(bounds.left, bounds.top));
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

// The creator hands its one reference over, as to the frame.
void ViewContainer::addView(View* view) {
    if (!views.append(view))
        return;
    view->setParentView(this);
    view->setFrame(frame);
    view->onAttached(this);
    view->setDirty(true);
}

void ViewContainer::removeView(View* view, bool withRelease) {
    if (!views.remove(view))
        return;
    view->onRemoved(this);
    if (withRelease)
        view->release();
}

void ViewContainer::removeAll(bool withRelease) {
    int count = 0;
    View** held = views.takeAll(count);
    for (int i = 0; i < count; ++i) {
        held[i]->onRemoved(this);
        if (withRelease)
            held[i]->release();
    }
    ViewList::freeTaken(held);
}

bool ViewContainer::isChild(View* view) {
    return views.contains(view);
}

int ViewContainer::getViewCount() {
    return views.count();
}

View* ViewContainer::getView(int index) {
    return views.at(index);
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
    for (int i = 0; i < views.count(); ++i)
        if (views.at(i)->isDirty())
            return true;
    return false;
}

bool ViewContainer::hitTest(const Point& where, int buttons) {
    return View::hitTest(where, buttons);
}
