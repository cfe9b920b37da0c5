// Windows the toolkit creates inside a window the host gives it: the window
// class, the events the window system delivers to a window procedure,
// painting, geometry and the pointer shapes shown over them.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace platform {

// What the window system tells a window.
enum class WindowEvent {
    Paint,           // part of the window needs painting
    ButtonDown,      // left, right or middle button pressed over the window
    Destroy,         // the window is being destroyed (it still exists)
    MeasureMenuItem, // an owner-drawn menu item asks for its size
    DrawMenuItem,    // an owner-drawn menu item asks to be drawn
    EditColors,      // an edit field asks for its colours
    Wheel,           // the mouse wheel turned, the window's or forwarded to it
    KeyDown,         // a key pressed while the window has the keyboard
    KeyUp,           // a key released while the window has the keyboard
    PointerMove,     // the pointer moved (DragStyle::PointerEvents only)
    ButtonUp,        // a button released (DragStyle::PointerEvents only)
    Timer,           // the window's own timer (startWindowTimer) is due
    // The display's scale may have changed for the window (the host moved
    // its window to another monitor): displayScale is worth asking again.
    DisplayScaleChanged,
};

// How the window system follows a press that starts a drag. ModalLoop: the
// control keeps the thread in a loop of its own, asking for the buttons and
// the pointer until the release. PointerEvents: the moves and the release
// come to the window as events, and the host's own loop runs between them.
enum class DragStyle { ModalLoop, PointerEvents };
DragStyle dragStyle();

// Keys that type no character, as key events name them.
enum NamedKey : int { kNoNamedKey = 0, kArrowLeft, kArrowUp, kArrowRight, kArrowDown };
// Modifier keys held during a key event.
enum KeyEventModifier : unsigned { kShiftHeld = 1 };
// What is held just after a pointer event (a release no longer holds its button).
enum PointerHeld : unsigned {
    kLeftButtonHeld = 1,
    kMiddleButtonHeld = 2,
    kRightButtonHeld = 4,
    kShiftKeyHeld = 8,
    kControlKeyHeld = 16,
    kAltKeyHeld = 32,
};

// States of an owner-drawn menu item.
enum MenuItemState : unsigned { kItemChecked = 1, kItemDisabled = 2, kItemSelected = 4 };

struct WindowMessage {
    WindowEvent event;
    int x = 0; // ButtonDown: position in the window, each 0 to 65535;
    int y = 0; // PointerMove, ButtonUp: signed, outside the window while a drag holds it
    unsigned pointerHeld = 0; // PointerMove, ButtonUp: PointerHeld bits
    // Owner-drawn menu items (MeasureMenuItem, DrawMenuItem).
    std::uintptr_t itemData = 0;
    unsigned itemId = 0;
    unsigned itemState = 0;     // MenuItemState bits
    DeviceContext dc = nullptr; // DrawMenuItem, EditColors: the target to use
    DeviceRect itemRect{};      // DrawMenuItem
    int itemWidth = 0;          // MeasureMenuItem: filled by the procedure
    int itemHeight = 0;
    GraphicsObject brush = nullptr; // EditColors: the brush the procedure answers
    // Wheel: notches turned, positive away from the user; a fine wheel
    // reports parts of one.
    float wheelNotches = 0.0f;
    // KeyDown, KeyUp: the character typed (0 for none), the key when it
    // types none (a NamedKey) and the modifiers held (KeyEventModifier bits).
    int keyCharacter = 0;
    int namedKey = kNoNamedKey;
    unsigned keyModifiers = 0;
};

// Answers true when it handled the event; false leaves it to the window
// system's default processing.
using WindowProcedure = bool (*)(Window window, WindowMessage& message);

// What every backend does at the edges (the conformance of each backend is
// held to these; win32 is the reference hosts know):
// - A class name is registered once: a second registration of the same name
//   fails until it is unregistered; a null name or procedure fails.
// - createWindow fails (null) for an unregistered class or a null or dead
//   parent (headless and X11 also refuse a negative size). A new window is
//   damaged whole, so it waits for its first paint. A window may have no
//   width or height, at creation or later (setWindowSize), as on Windows;
//   it then has nothing to paint.
// - destroyWindow tells the window (Destroy) while it and its children still
//   exist, then each child the same way, parents before their children;
//   afterwards every call given the dead handle does nothing and answers
//   null, false or zero. A dead or null handle is never a crash.
// - Paint: damage accumulates (cut to the window) until beginPaint takes it;
//   a procedure that does not handle Paint leaves the window validated.
// - setWindowSize keeps the pixels that still fit and damages the window whole.
// The window class every window of a library shares, named by the caller.
bool registerWindowClass(const char* name, Module instance, WindowProcedure procedure);
void unregisterWindowClass(const char* name, Module instance);

// A visible child window of the class at the parent's top-left corner; null on failure.
Window createWindow(const char* className, const char* title, Window parent, int width, int height,
                    Module instance);
void destroyWindow(Window window);
// The pointer-sized value a window keeps for its owner; null until set.
void setWindowUserData(Window window, void* data);
void* windowUserData(Window window);

// Painting. The update rectangle bounds the window's damaged area; a paint
// session draws into it and leaves the window undamaged.
bool updateRect(Window window, DeviceRect& update);
struct PaintSession {
    DeviceContext dc = nullptr;
    DeviceRect area{};
    alignas(8) unsigned char system[80]; // the window system's own record
};
bool beginPaint(Window window, PaintSession& session);
void endPaint(Window window, PaintSession& session);

// Removes one pending paint message of any window of the calling thread from
// the queue and dispatches it; false when there was none.
bool dispatchPendingPaint();

// Handles what the window system holds for this library's windows (paints,
// presses, the wheel, keys) where hosts give the editor idle time instead of
// running its windows' events through their own loop; returns how many were
// handled. Not while one of them is being handled.
int dispatchWindowEvents();

// A timer of the window's own, due every `milliseconds` as a Timer event
// from the loop that runs the window's events, for an owner no host gives
// idle time. False where the window system has no such timers (there the
// host's own timers run the owner); a second start changes the period.
bool startWindowTimer(Window window, unsigned milliseconds);
// Stops it; nothing for a window without one, or a dead one.
void stopWindowTimer(Window window);

// Geometry.
Window parentWindow(Window window);
bool hasCaption(Window window);
// Screen points into the client coordinates of `window` (unchanged for null).
void screenToClient(Window window, DevicePoint* points, int count);
// The class name of a window; empty when there is none.
void windowClassName(Window window, char* name, int capacity);
bool setWindowSize(Window window, int width, int height);
// Keeps a child of a host's window covering all of that window, as the host
// sizes it, never smaller than the child's own size (an empty child stays
// empty): where the window system shows whatever lay under the part of a
// host's window no child covers (X11). Elsewhere the host's window paints
// itself, and the call does nothing and answers false.
bool coverParent(Window window);
void bringWindowToTop(Window window);

// The scale the user set for the display that shows `window` (a host's
// window, or one of ours): 1 at the usual 96 dots per inch, 1.5 at 144, 2 at
// 192. Without a window (null), the main display's. 1 where the window
// system does not say, and for a dead window on systems that ask the window.
double displayScale(Window window);

// A control of the window has asked for the keyboard (a click in the
// window). Where the window system hands keys to the window under the
// pointer, a backend leaves keys to the host's windows until this is asked,
// and again once the pointer has left the window; elsewhere keys follow the
// focus and nothing changes.
void wantKeys(Window window);

// Pointer shapes.
enum SystemCursor : int {
    kCursorArrow = 32512,
    kCursorWait = 32514,
    kCursorSizeNWSE = 32642,
    kCursorSizeNESW = 32643,
    kCursorSizeWE = 32644,
    kCursorSizeNS = 32645,
    kCursorSizeAll = 32646,
};
Cursor currentCursor();
Cursor systemCursor(SystemCursor id);
Cursor setCursor(Cursor cursor); // returns the previous one

} // namespace platform
