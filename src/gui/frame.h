// The root of the view tree, bound to a child window of the host's window.
// This holds what views and drawing contexts rely on: the window, the
// editor, the pointer position and drawing one view at once.
#pragma once

#include "gui/view.h"
#include "platform/platform_types.h"

class Frame : public View {
public:
    Frame(const Rect& bounds, void* parentWindow, GuiEditor* editor);
    ~Frame() override;

    GuiEditor* getEditor() override;

    platform::Window getWindow() const { return window; }
    // Lets the editor run its idle processing while a view tracks the mouse.
    void processIdle();
    // The pointer in the window's coordinates (screen coordinates without a window).
    void getCurrentMouseLocation(Point& where);
    // Draws a view at once into a context on the window; the whole frame for null.
    void drawView(View* view);

protected:
    GuiEditor* editor;
    void* parentWindow;
    platform::Window window = nullptr;
};
