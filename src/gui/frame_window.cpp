// The frame's window: creation, the window-system events, cursors and geometry.
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "platform/graphics.h"
#include "platform/window.h"

Frame::Frame(const Rect& r, const char*, GuiEditor* owner, int)
    : View(r), editor(owner), parentWindow(nullptr), open_(false), hostWindowVariant(true) {}

bool Frame::open(Point*) {
    return false;
}

bool Frame::close() {
    return false;
}

bool Frame::createWindow(void* parent) {
    if (!parent)
        return false;
    window = platform::createChildWindow(static_cast<platform::Window>(parent), bounds.getWidth(),
                                         bounds.getHeight());
    return window != nullptr;
}

bool Frame::setDropActive(bool) {
    return false;
}

void Frame::onPaintMessage() {}

void Frame::onButtonDownMessage(int x, int y) {
    if (!window)
        return;
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        Point where(x, y);
        onMouseDown(&context, where);
    }
    platform::releaseDC(window, dc);
}

void Frame::onDestroyMessage() {
    open_ = false;
    parentWindow = nullptr;
}

void Frame::setCursor(int) {}

bool Frame::getPosition(int&, int&) {
    return false;
}

bool Frame::getSize(Rect&) {
    return false;
}

bool Frame::setSize(int, int) {
    return false;
}
