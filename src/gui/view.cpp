#include "gui/view.h"

#include "gui/frame.h"

const char kMsgCheckIfViewContainer[] = "kMsgCheckIfViewContainer";

View::View(const Rect& r) : bounds(r), mouseArea(r) {}

View::~View() = default;

void View::draw(DrawContext*) {
    setDirty(false);
}

void View::drawRect(DrawContext* context, const Rect&) {
    draw(context);
}

// Touching edges count as overlapping.
bool View::overlaps(const Rect& r) {
    return r.right >= bounds.left && r.left <= bounds.right && r.bottom >= bounds.top &&
           r.top <= bounds.bottom;
}

void View::onMouseDown(DrawContext*, Point&) {}

void View::redrawIfDirty(DrawContext* context) {
    if (isDirty()) {
        draw(context);
        setDirty(false);
    }
}

int View::onMessage(View*, const char*) {
    return 0;
}
int View::onKeyDown(KeyCode&) {
    return -1;
}
int View::onKeyUp(KeyCode&) {
    return -1;
}
bool View::onDrop(void**, int, int, Point&) {
    return false;
}
bool View::onWheel(DrawContext*, Point&, float) {
    return false;
}
void View::loseFocus(DrawContext*) {}
void View::takeFocus(DrawContext*) {}
bool View::isDirty() {
    return dirty;
}
void View::setDirty(bool value) {
    dirty = value;
}
void View::setMouseEnabled(bool value) {
    mouseEnabled = value;
}
bool View::isMouseEnabled() {
    return mouseEnabled;
}
void View::setMouseArea(const Rect& r) {
    mouseArea = r;
}
Rect& View::getMouseArea(Rect& r) {
    return r = mouseArea;
}

// Every edge belongs to the view.
bool View::hitTest(const Point& where, int) {
    return where.h >= bounds.left && where.h <= bounds.right && where.v >= bounds.top &&
           where.v <= bounds.bottom;
}

void View::setTransparent(bool value) {
    transparent = value;
}
bool View::isTransparent() {
    return transparent;
}

void View::setBounds(const Rect& r) {
    bounds = r;
    setDirty(true);
}

Rect& View::getBounds(Rect& r) {
    return r = bounds;
}
void View::setParentView(View* parent) {
    parentView = parent;
}
void View::setFrame(Frame* owner) {
    frame = owner;
}
FrameOwner* View::getEditor() {
    return frame ? frame->getEditor() : nullptr;
}
bool View::onRemoved(View*) {
    return true;
}
bool View::onAttached(View*) {
    return true;
}

void View::release() {
    if (refCount <= 0)
        return;
    if (--refCount == 0)
        delete this;
}

void View::retain() {
    ++refCount;
}
int View::getRefCount() {
    return refCount;
}

void View::redraw() {
    if (frame)
        frame->drawView(this);
}
