#include "gui/frame.h"

#include "gui/draw_context.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "platform/window.h"

Frame::Frame(const Rect& r, void* parent, GuiEditor* owner)
    : View(r), editor(owner), parentWindow(parent) {
    if (parent)
        window = platform::createChildWindow(static_cast<platform::Window>(parent), r.getWidth(),
                                             r.getHeight());
}

Frame::~Frame() {
    if (window)
        platform::destroyWindow(window);
}

GuiEditor* Frame::getEditor() {
    return editor;
}

void Frame::processIdle() {
    // The editor's idle processing joins here once the editor bridge exists.
}

void Frame::getCurrentMouseLocation(Point& where) {
    platform::DevicePoint screen{0, 0};
    platform::cursorPosition(screen);
    where = Point(screen.x, screen.y);
    platform::DeviceRect corner;
    if (window && platform::windowRect(window, corner))
        where = Point(screen.x - corner.left, screen.y - corner.top);
}

void Frame::drawView(View* view) {
    if (!window)
        return;
    platform::DeviceContext dc = platform::getDC(window);
    {
        DrawContext context(this, dc, window);
        if (view)
            view->draw(&context);
        else
            draw(&context);
    }
    platform::releaseDC(window, dc);
}
