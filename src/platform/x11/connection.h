// The backend's display connection: opened when the first window needs it
// and closed when the last window and pointer shape are gone, so a closed
// editor leaves nothing on the server.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// A new connection to the server DISPLAY names; null when there is none.
Display* connectToServer();
// The open connection, opening it when needed; null when there is no display.
Display* display();
// The connection if it is open; never opens one.
Display* openDisplay();
// How many times display() has opened a connection: settings read from the
// server are read again on a new one.
unsigned connectionsOpened();
// Closes the connection when nothing of the backend lives on it any more.
void closeDisplayIfUnused();

// Collects the protocol errors of the requests made while it lives (on any
// connection) instead of ending the program, as Xlib's default handler does.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server's answers; true when none was an error.
    bool ok();

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

// Whether the server knows the window yet: a parent made on another
// connection may still be on its way. Waits up to about two seconds.
bool waitForWindow(Display* display, ::Window window);

// Where the server has `window` in its tree: its root, its parent and how
// many children it has. False when the server does not know the window.
struct TreePlace {
    ::Window root = 0;
    ::Window parent = 0;
    unsigned children = 0;
};
bool queryTree(Display* display, ::Window window, TreePlace& place);

// The pointer's screen position and the buttons and modifiers held, as the
// server has them now; false when it could not say.
bool queryPointer(Display* display, int& x, int& y, unsigned& mask);

} // namespace x11
