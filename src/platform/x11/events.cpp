// The X11 events of our windows turned into the window events the toolkit
// knows: exposures into paints, presses into button presses, buttons 4 and
// 5 into wheel notches, keys into the keys the toolkit names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "connection.h"
#include "drops.h"
#include "edit_boxes.h"
#include "handled_press.h"
#include "native_window.h"
#include "platform/window.h"
#include "pointer_events.h"
#include "x11.h"

namespace x11 {

namespace {
// The wheel's buttons: 4 turns it away from the user, 5 towards.
constexpr unsigned kWheelAway = 4;
constexpr unsigned kWheelTowards = 5;

int namedKeyOf(KeySym symbol) {
    switch (symbol) {
    case XK_Left:
    case XK_KP_Left:
        return platform::kArrowLeft;
    case XK_Up:
    case XK_KP_Up:
        return platform::kArrowUp;
    case XK_Right:
    case XK_KP_Right:
        return platform::kArrowRight;
    case XK_Down:
    case XK_KP_Down:
        return platform::kArrowDown;
    default:
        return platform::kNoNamedKey;
    }
}

void deliverKey(XKeyEvent key) {
    NativeWindow* w = nativeById(key.window);
    if (!w)
        return;
    char typed[8] = {};
    KeySym symbol = NoSymbol;
    const int length = XLookupString(&key, typed, sizeof typed, &symbol, nullptr);
    platform::WindowMessage message{key.type == KeyPress ? platform::WindowEvent::KeyDown
                                                         : platform::WindowEvent::KeyUp};
    message.namedKey = namedKeyOf(symbol);
    // Only single-byte characters: the toolkit's texts are bytes.
    if (message.namedKey == platform::kNoNamedKey && length == 1)
        message.keyCharacter = static_cast<unsigned char>(typed[0]);
    if (key.state & ShiftMask)
        message.keyModifiers |= platform::kShiftHeld;
    if (message.namedKey != platform::kNoNamedKey || message.keyCharacter != 0)
        software::deliverEvent(w, message);
}

void handle(const XEvent& event) {
    switch (event.type) {
    case Expose: {
        NativeWindow* w = nativeById(event.xexpose.window);
        if (w)
            addDamage(w, raster::Box{event.xexpose.x, event.xexpose.y,
                                     event.xexpose.x + event.xexpose.width,
                                     event.xexpose.y + event.xexpose.height});
        break;
    }
    case ButtonPress: {
        NativeWindow* w = nativeById(event.xbutton.window);
        if (!w)
            break;
        const unsigned button = event.xbutton.button;
        if (button == kWheelAway || button == kWheelTowards) {
            platform::WindowMessage message{platform::WindowEvent::Wheel};
            message.wheelNotches = button == kWheelAway ? 1.0f : -1.0f;
            software::deliverEvent(w, message);
            break;
        }
        if (button < Button1 || button > Button3)
            break;
        notePress(event.xbutton);
        platform::WindowMessage message{platform::WindowEvent::ButtonDown};
        message.x = event.xbutton.x & 0xFFFF;
        message.y = event.xbutton.y & 0xFFFF;
        const HandledPress handling(event.xbutton);
        software::deliverEvent(w, message);
        // The click asked for the keys; beyond the panel they stay the host's.
        pointerAt(event.xbutton.window, event.xbutton.x, event.xbutton.y);
        break;
    }
    case MotionNotify:
        deliverPointerEvent(event);
        pointerAt(event.xmotion.window, event.xmotion.x, event.xmotion.y);
        break;
    case ButtonRelease:
        deliverPointerEvent(event);
        break;
    case KeyPress:
    case KeyRelease: {
        XKeyEvent key = event.xkey;
        if (!editBoxKey(key))
            deliverKey(key);
        break;
    }
    case LeaveNotify:
        pointerLeft(event.xcrossing);
        break;
    case FocusOut:
        editBoxFocusOut(event.xfocus);
        break;
    case ClientMessage:
        dragMessage(event.xclient);
        break;
    case SelectionNotify:
        droppedData(event.xselection);
        break;
    case MappingNotify: {
        // Key maps change (a remapped key for a character typed): the
        // characters keys type are looked up afresh.
        XMappingEvent mapping = event.xmapping;
        XRefreshKeyboardMapping(&mapping);
        break;
    }
    case DestroyNotify:
        // Only our window's own notification: its children's come to it too.
        if (event.xdestroywindow.window == event.xdestroywindow.event)
            if (NativeWindow* w = nativeById(event.xdestroywindow.window))
                windowDestroyedByServer(w);
        break;
    case ConfigureNotify: {
        // Keeps the screen position the toolkit reads up to date.
        NativeWindow* w = nativeById(event.xconfigure.window);
        Display* d = openDisplay();
        if (!w) {
            parentConfigured(event.xconfigure);
            break;
        }
        if (!d)
            break;
        int x = 0;
        int y = 0;
        if (rootPosition(d, w->id, x, y))
            w->screen = raster::Box{x, y, x + w->surface.width(), y + w->surface.height()};
        break;
    }
    default:
        break;
    }
}
} // namespace

int processEvents() {
    // A handler that waits in a loop of its own (a drag) gives the editor
    // idle time, which asks for events again: they wait for the loop's end.
    static bool handling = false;
    if (handling) {
        pressFollowsPointer();
        return 0;
    }
    handling = true;
    Display* d = openDisplay();
    int handled = 0;
    while (d && XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        handle(event);
        ++handled;
        // A handler may have closed the last window and the connection.
        d = openDisplay();
    }
    while (paintFirstDamaged())
        ++handled;
    handling = false;
    return handled;
}

} // namespace x11

namespace platform {

int dispatchWindowEvents() {
    return x11::processEvents();
}

// X11 has no timers of a window's own: hosts run the editor from theirs.
bool startWindowTimer(Window /*window*/, unsigned /*milliseconds*/) {
    return false;
}

void stopWindowTimer(Window /*window*/) {}

} // namespace platform
