// How a pop-up menu's entries look when the menu draws them itself: the
// colours the platform uses for menus, font 4 of the toolkit, a check
// square, and a second text column after a tab. Shared by reference
// counting between the menus that hold it.
#pragma once

#include "gui/geometry.h"

class DrawContext;

class PopupMenuStyle {
public:
    // Takes the platform's menu, selection and grey-text colours.
    PopupMenuStyle();
    PopupMenuStyle(const PopupMenuStyle&) = delete;
    PopupMenuStyle& operator=(const PopupMenuStyle&) = delete;

    void retain() { ++refCount; }
    // Frees the style at the transition from 1 to 0; returns the new count.
    int release();
    int getRefCount() const { return refCount; }

    // The size an entry asks for: its text's width + 18 by 18 pixels; a
    // separator ("-") 6 by 18.
    virtual void getItemSize(DrawContext* context, const char* text, Point& size);
    // Fills the entry's rectangle (bottom edge one pixel below the item) in
    // the selection colour or the menu colour.
    virtual void drawItemBackground(DrawContext* context, const Rect& r, bool selected);
    // The background, then the check square, the text or the separator;
    // `state` holds the platform's MenuItemState bits.
    virtual void drawItem(DrawContext* context, const Rect& r, const char* text, unsigned state);

    int getFont() const { return fontId; }
    void setFont(int id) { fontId = id; }
    Color getBackgroundColor() const { return background; }
    Color getSelectedBackgroundColor() const { return selectedBackground; }
    Color getTextColor() const { return textColor; }
    Color getSelectedTextColor() const { return selectedTextColor; }
    Color getDisabledTextColor() const { return disabledTextColor; }

protected:
    virtual ~PopupMenuStyle();

    int refCount = 1;
    int fontId = 4;
    Color background;
    Color selectedBackground;
    Color textColor;
    Color selectedTextColor;
    Color disabledTextColor;
};
