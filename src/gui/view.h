// The base of everything drawn in the editor window: a rectangle in its
// parent's coordinates with dirty, mouse-enabled and transparency flags,
// a frame pointer and a reference count.
#pragma once

#include "gui/geometry.h"
#include "gui/key_code.h"

class DrawContext;
class Frame;
class FrameOwner;

// Messages between views are identified by the address of a shared
// constant, never by its characters.
extern const char kMsgCheckIfViewContainer[];

// Item types of `onDrop`.
enum DropType : int { kDropFiles = 0, kDropText = 1 };

class View {
public:
    explicit View(const Rect& bounds);

    // Virtual operations in their fixed slot order (0 to 31); every class
    // derived from View keeps this order and appends its own.
    virtual ~View();
    virtual void draw(DrawContext* context);
    virtual void drawRect(DrawContext* context, const Rect& update);
    virtual bool overlaps(const Rect& r);
    virtual void onMouseDown(DrawContext* context, Point& where);
    virtual void redrawIfDirty(DrawContext* context);
    virtual int onMessage(View* sender, const char* message);
    virtual int onKeyDown(KeyCode& key);
    virtual int onKeyUp(KeyCode& key);
    virtual bool onDrop(void** items, int count, int type, Point& where);
    virtual bool onWheel(DrawContext* context, Point& where, float distance);
    virtual void loseFocus(DrawContext* context);
    virtual void takeFocus(DrawContext* context);
    virtual bool isDirty();
    virtual void setDirty(bool value);
    virtual void setMouseEnabled(bool value);
    virtual bool isMouseEnabled();
    virtual void setMouseArea(const Rect& r);
    virtual Rect& getMouseArea(Rect& r);
    virtual bool hitTest(const Point& where, int buttons = -1);
    virtual void setTransparent(bool value);
    virtual bool isTransparent();
    virtual void setBounds(const Rect& r);
    virtual Rect& getBounds(Rect& r);
    virtual void setParentView(View* parent);
    virtual void setFrame(Frame* owner);
    virtual FrameOwner* getEditor();
    virtual bool onRemoved(View* parent);
    virtual bool onAttached(View* parent);
    virtual void release();
    virtual void retain();
    virtual int getRefCount();

    // Draws this view at once through its frame; nothing without a frame.
    void redraw();
    Frame* getFrame() const { return frame; }
    View* getParentView() const { return parentView; }

    View(const View&) = delete;
    View& operator=(const View&) = delete;

protected:
    int refCount = 1;
    Rect bounds;
    Rect mouseArea;
    Frame* frame = nullptr;
    View* parentView = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
};
