// The backend's display connection: opened when the first window needs it
// and closed when the last window and pointer shape are gone, so a closed
// editor leaves nothing on the server.
#pragma once

#include <X11/Xlib.h>

namespace x11 {

// A new connection to the server DISPLAY names, its errors kept to itself
// (see ErrorTrap); null when there is none.
Display* connectToServer();
// Closes a connection connectToServer made.
void disconnect(Display* display);
// The open connection, opening it when needed; null when there is no display.
Display* display();
// The connection if it is open; never opens one.
Display* openDisplay();
// How many times display() has opened a connection: settings read from the
// server are read again on a new one.
unsigned connectionsOpened();
// Closes the connection when nothing of the backend lives on it any more.
void closeDisplayIfUnused();

// Tells whether the requests made on one of our connections while it lives
// failed. The errors of our connections never reach the process's error
// handler (the host's, or Xlib's default that ends the process): each
// connection takes its own errors when it is made, so no handler of the
// process is ever replaced, and a request outside any trap that fails (a
// window the host destroyed meanwhile) is dropped as well.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    // Sends the requests made meanwhile on their way (without waiting).
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server's answers; true when none was an error.
    bool ok();

private:
    Display* display_;
    unsigned long firstRequest;
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

// Where the window's top-left corner is on the screen; false when the
// server does not know the window (the host may have destroyed it, and ours
// with it, since).
bool rootPosition(Display* display, ::Window window, int& x, int& y);

// The pointer's screen position and the buttons and modifiers held, as the
// server has them now; false when it could not say.
bool queryPointer(Display* display, int& x, int& y, unsigned& mask);

} // namespace x11
