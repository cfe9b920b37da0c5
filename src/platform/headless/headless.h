// What tests and tools can do with the headless backend beyond the platform
// interface: count its calls, set the input it reports, make windows, read
// back pixels and write pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/edit_box.h"
#include "platform/platform_types.h"
#include "platform/popup_menu.h"
#include "platform/software/menu_items.h"
#include "platform/software/pictures/picture_files.h"
#include "platform/software/raster/surface.h"
#include "platform/software/software.h"

namespace headless {

// Every platform call is counted under the operating system's name for it
// ("SetROP2", "CreatePenIndirect", ...).
void resetCallCounts();
int callCount(const char* name);
int totalCallCount();

// Pens, brushes, fonts, bitmaps and regions created and not yet freed.
int liveObjectCount();

// The simulated window system. A top-level window of the given screen
// rectangle, black at first and already painted, stands for a host's window.
platform::Window createWindow(int x, int y, int width, int height);
// Destroys the window and its children: each is sent its destroy
// notification, the parent before its children.
void destroyWindow(platform::Window window);
bool isWindow(platform::Window window);
int windowCount();
// The index-th child window, in creation order; null when there is none.
platform::Window childOf(platform::Window parent, int index);
// Calls that were given the handle of a window no longer alive.
int deadHandleUses();
// Windows destroyed while still registered as drop targets.
int lostDropRegistrations();
void setWindowStyle(platform::Window window, std::uint32_t style);
// Adds to the window's damaged area (the whole window for null).
void damageWindow(platform::Window window, const platform::DeviceRect* r = nullptr);
bool hasPendingPaint(platform::Window window);
// Queues a button press at a position in the window (the left button, or
// another one); a control waiting for a double click takes left presses
// from this queue.
void postButtonDown(platform::Window window, int x, int y, bool left = true);
// Turns the mouse wheel over the window by `notches` at once; true when the
// window's procedure took it.
bool sendWheel(platform::Window window, float notches);
// Tells the window the display's scale may have changed, as a host moving
// it to another monitor does; true when the window's procedure took it.
bool sendDisplayScaleChange(platform::Window window);
// Delivers queued presses, then paints until no window is damaged; returns
// how many messages were delivered.
int dispatchMessages();
bool isClassRegistered(const char* name);
// The system cursor shown (its number), 0 before any was set.
int currentCursorId();
// Destroys every window and forgets classes, queued presses and counters.
void resetWindowSystem();

// The simulated drag-and-drop service. Drops go to the receiver registered
// for the window; each answers whether the receiver took it.
int oleInitializations(); // initialisations not yet balanced
bool isDropTarget(platform::Window window);
// A text in a memory block of `block.size()` bytes (usually with its zero).
bool dropText(platform::Window window, const std::string& block);
bool dropFiles(platform::Window window, const std::vector<std::string>& names);
// Shell links: dropping `link` resolves to `target`.
void setShellLink(const std::string& link, const std::string& target);
void clearShellLinks();

// The simulated edit boxes. Each is a child window of class "EDIT"; a new
// box takes the keyboard focus, and typing goes to the box that has it.
struct EditBoxInfo {
    platform::Window window = nullptr; // the box's own window
    platform::Window parent = nullptr;
    platform::DeviceRect rect{}; // in the parent's client coordinates
    std::string text;
    int alignment = 0;
    int limit = 0;
    int fontHeight = 0; // the font's height field (negative: character height)
    std::string fontFace;
    int selectionStart = 0;
    int selectionEnd = 0;
    bool focused = false;
};
int editBoxCount();
// The index-th live edit box in creation order; false when there is none.
bool editBoxInfo(int index, EditBoxInfo& info);
// Typing into the focused box: each character replaces the selection and is
// refused once the box holds its limit. False when no box has the focus.
bool typeText(const std::string& text);
bool pressBackspace();
// Enter in the focused box; its handler hears of it.
bool pressEnter();
// Moves the keyboard focus away from every box (to no window); the box that
// had it tells its handler.
void takeKeyboardFocus();

// The simulated pop-up menus. What the user does with the next menu opened
// is scripted beforehand: the item at `path` (an index into the menu, then
// into each sub-menu opened on the way) is chosen; an empty path dismisses
// the menu. Menus opened with nothing queued are dismissed. An item that
// cannot be chosen (disabled, greyed, a separator or a sub-menu) dismisses
// the menu as a click on it would leave nothing chosen.
void queueMenuChoice(const std::vector<int>& path);
void queueMenuDismissal();
int queuedMenuAnswers();
// Forgets the answers queued for menus that never opened.
void clearMenuAnswers();

using software::MenuItemInfo;
struct OpenedMenuInfo {
    int x = 0; // screen position asked for
    int y = 0;
    bool rightButton = false;
    platform::Window owner = nullptr;
    std::vector<MenuItemInfo> items;
    unsigned answer = 0;
};
int menusOpened();
// The last menu shown, as it was while open; null before any.
const OpenedMenuInfo* lastOpenedMenu();
// The last menu's top level as drawn, owner-drawn items by the owner, with
// the item about to be chosen drawn selected.
const raster::Surface* lastMenuPicture();
int liveMenuCount();

// What the software drawing offers programs on every backend drawn with it:
// the system colours reported (until the window system is reset), read-back
// of pixels and selected fonts, pictures added at run time, the blending
// library's presence, and pictures written to files.
using software::addResourcePicture;
using software::saveBmp;
using software::savePng;
using software::selectedFontOf;
using software::setBlendLibrary;
using software::setSystemColor;
using software::surfaceOf;

// The simulated input devices and clock.
struct InputState {
    bool keyDown[256] = {};
    platform::DevicePoint pointer{0, 0};
    std::uint32_t ticks = 1000;
    std::uint32_t tickStep = 1; // added after every clock read, so waiting loops end
    std::uint32_t doubleClickTime = 500;
    std::int32_t messageTime = 1000;
    int pendingLeftButtonDowns = 0; // taken before the presses posted to windows
    int swapButtons = 0;
    int dialogFrameHeight = 3;
    std::function<void()> onPointerRead; // runs before every pointer read
    // The drag style reported: the Windows loop unless a test asks for
    // the moves and the release as events.
    bool dragsByEvents = false;
    // What displayScale reports for every live window.
    double displayScale = 1.0;
};
InputState& input();
void resetInput();

} // namespace headless
