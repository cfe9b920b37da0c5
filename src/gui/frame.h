// The root of the view tree: bound to a child window inside the window the
// host gives the editor, it keeps the views drawn over an optional background
// picture, turns paints and presses into calls on its views, redraws dirty
// views when the editor is idle, routes keys, the wheel and drops, and passes
// edit brackets and idle processing on to its owner, the editor.
#pragma once

#include "gui/view.h"
#include "gui/view_list.h"
#include "platform/platform_types.h"

class Bitmap;
class DropTarget;
class FrameOwner;
namespace platform {
struct WindowMessage;
}
struct VstWindowRecord;

// Told on every tick of a frame's own timer (Frame::startTimer).
class FrameTicks {
public:
    virtual void onFrameTick() = 0;

protected:
    ~FrameTicks() = default;
};

// Cursors of `setCursor`.
enum CursorType : int {
    cursorDefault = 0,
    cursorWait,
    cursorHSize,
    cursorVSize,
    cursorSizeAll,
    cursorNESW,
    cursorNWSE,
};

class Frame : public View {
public:
    // A frame in a child window of `parentWindow` (no window for null).
    Frame(const Rect& bounds, void* parentWindow, FrameOwner* editor);
    // A frame whose parent window the host opens on `open` (starts closed).
    Frame(const Rect& bounds, const char* title, FrameOwner* editor, int style);
    ~Frame() override;

    void draw(DrawContext* context) override;
    void drawRect(DrawContext* context, const Rect& update) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    void redrawIfDirty(DrawContext* context) override;
    int onKeyDown(KeyCode& key) override;
    int onKeyUp(KeyCode& key) override;
    bool onDrop(void** items, int count, int type, Point& where) override;
    bool onWheel(DrawContext* context, Point& where, float distance) override;
    FrameOwner* getEditor() override;

    // Slots 32 onwards.
    virtual bool addView(View* view);
    virtual bool removeView(View* view, bool withRelease = true);
    virtual bool removeAll(bool withRelease = true);
    virtual bool isChild(View* view);
    virtual int getViewCount();
    virtual View* getView(int index);

    // The host-window variant: asks the host for a window and opens in it.
    bool open(Point* where = nullptr);
    bool close();
    bool isOpen() const { return open_; }

    bool setDropActive(bool on);
    bool isDropActive() const { return dropActive; }

    void setBackground(Bitmap* bitmap);
    Bitmap* getBackground() const { return background; }
    // The colour of the window beyond the frame's bounds, where a host
    // makes the window larger than the frame.
    void setOutsideColor(const Color& color) { outsideColor = color; }
    bool setModalView(View* view);
    View* getModalView() const { return modalView; }
    void setFocusView(View* view);
    View* getFocusView() const { return focusView; }

    // Lets the editor run its idle processing while a view tracks the mouse.
    void processIdle();
    // At a press: where the window system delivers the pointer's moves as
    // events, the frame hands them to `view` (a PointerFollower) until the
    // release, and answers true; false where the view follows the pointer
    // in a loop of its own.
    bool followPointer(View* view);
    View* getPointerFollower() const { return pointerFollower; }
    // Milliseconds of the platform's tick count; 0 without an editor.
    std::uint32_t getTicks();
    // Edit brackets around a gesture, passed on to the editor.
    void beginEdit(int index);
    int endEdit(int index);

    // The pointer in the window's coordinates (screen coordinates without a window).
    void getCurrentMouseLocation(Point& where);
    View* getViewAt();
    void invalidate(const Rect& r);
    // Draws a view at once into a context on the window; the whole frame for null.
    void drawView(View* view);
    void setCursor(int type);
    // The outermost window around the frame that still has about its size.
    platform::Window findOuterWindow();
    bool getPosition(int& x, int& y);
    bool getSize(Rect& size);
    bool setSize(int width, int height);

    // The scale the frame is drawn at: each panel unit of the views is this
    // many device pixels. A request is taken to the offered scale at or above
    // it (scale::pictureScale); with a window, the window follows at once and
    // is painted again at the new scale. 1 until set.
    void setScale(double requested);
    double getScale() const { return scale; }
    // The frame's bounds in device pixels at its scale.
    int deviceWidth() const;
    int deviceHeight() const;

    // Redraws the dirty views, once the window has been painted (editor idle).
    void idle();
    bool isSomethingDirty();
    // The knob mode the host set through the editor (circular without one).
    int getKnobMode();

    platform::Window getWindow() const { return window; }

    // Where no host gives the editor idle time: the window's own timer tells
    // `ticks` every `milliseconds` until stopTimer or the window goes. False
    // without a window, or where the window system has no such timers.
    bool startTimer(unsigned milliseconds, FrameTicks* ticks);
    void stopTimer();
    void onTimerMessage();

    // Window-system events, delivered by the frame's window procedure. A
    // paint answers false when there was nothing to paint.
    bool onPaintMessage();
    void onButtonDownMessage(int x, int y);
    // A move or release after a press, at (x, y) in the window; `state`
    // holds the MouseState bits after it.
    void onPointerMessage(int x, int y, int state);
    void onDestroyMessage();
    // Owner-drawn menu items and edit colours, handed to the focus view when
    // it has a menu or an edit box open; false leaves them to the system.
    bool onMenuItemMessage(platform::WindowMessage& message);
    bool onEditColorsMessage(platform::WindowMessage& message);

private:
    // Blending services, the drag-and-drop service's initialisation.
    void startServices();
    bool createWindow(void* parent);
    void destroyOwnWindow();
    void releaseClass();
    // Fills the part of `update` beyond the frame's bounds.
    void fillOutside(DrawContext* context, const Rect& update);
    // Tells the view following the pointer that the drag is over.
    void endPointerFollowing(DrawContext* context);

    FrameOwner* editor;
    void* parentWindow;
    Bitmap* background = nullptr;
    Color outsideColor = colorWhite;
    ViewList views;
    View* modalView = nullptr;
    View* focusView = nullptr;
    View* pointerFollower = nullptr;
    bool firstDrawPending = true;
    bool open_ = true;
    bool dropActive = false;
    platform::Window window = nullptr;
    platform::Module blendLibrary = nullptr;
    bool hostWindowVariant = false;
    VstWindowRecord* hostWindow = nullptr;
    platform::Cursor defaultCursor = nullptr;
    bool defaultCursorSaved = false;
    bool classRegistered = false;
    DropTarget* dropTarget = nullptr;
    FrameTicks* ticks_ = nullptr;
    double scale = 1.0;
};
