// A view holding an ordered list of child views, drawn over its own
// background (a colour or a bitmap), optionally through an offscreen
// context; it routes presses, keys, drops and the wheel to its children.
#pragma once

#include "gui/view.h"
#include "gui/view_list.h"

class Bitmap;
class OffscreenContext;

class ViewContainer : public View {
public:
    ViewContainer(const Rect& bounds, Frame* frame, Bitmap* background = nullptr);

    // Slots 0 to 31 as View.
    ~ViewContainer() override;
    void draw(DrawContext* context) override;
    void drawRect(DrawContext* context, const Rect& update) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    void redrawIfDirty(DrawContext* context) override;
    int onMessage(View* sender, const char* message) override;
    int onKeyDown(KeyCode& key) override;
    int onKeyUp(KeyCode& key) override;
    bool onDrop(void** items, int count, int type, Point& where) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;
    void loseFocus(DrawContext* context) override;
    void takeFocus(DrawContext* context) override;
    bool isDirty() override;
    bool hitTest(const Point& where, int buttons = -1) override;
    void setBounds(const Rect& r) override;
    bool onRemoved(View* parent) override;
    bool onAttached(View* parent) override;

    // Slots from 32 on.
    virtual void addView(View* view, const Rect& mouseArea, bool mouseEnabled = true);
    virtual void addView(View* view);
    virtual void removeView(View* view, bool withRelease = true);
    virtual void removeAll(bool withRelease = true);
    virtual bool isChild(View* view);
    virtual int getViewCount();
    virtual View* getView(int index);
    virtual void setBackColor(Color color);
    virtual Color getBackColor();
    virtual void setBackground(Bitmap* bitmap);
    virtual Bitmap* getBackground();
    virtual void setBackgroundOffset(const Point& p);
    virtual const Point& getBackgroundOffset();
    virtual void setRedrawMode(int mode);
    virtual int getRedrawMode();
    virtual void setUseOffscreen(bool value);

protected:
    void drawBackgroundRect(DrawContext* context, const Rect& r);
    void makeOffscreen();
    void dropOffscreen();
    ViewList views;
    Bitmap* background = nullptr;
    int redrawMode = 0;
    OffscreenContext* offscreen = nullptr;
    Color backColor = colorBlack;
    Point backgroundOffset;
    bool useOffscreen = true;
};
