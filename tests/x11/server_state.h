// What tests read and set on the X server beside the backend, on a display
// connection of their own: the keyboard focus, the resources loaded on the
// server (as xrdb loads them), and what this process holds there as the
// server counts it. No X11 header is needed to use it.
#pragma once

#include <cstdint>
#include <string>

// The window with the keyboard focus (0 for none, 1 for the pointer's).
std::uint32_t keyboardFocus();
// Replaces the server's resources with `lines` until they are removed (a
// connection stays open meanwhile); false without a display.
bool loadServerResources(const std::string& lines);
void removeServerResources();

// What this process holds on the server, as the server counts it (the
// X-Resource extension, clients found by this process's id): its
// connections, and every resource (window, graphics context, pointer
// shape, ...) of all of them. The counting connection stays open and is
// among them. -1 when the server cannot say.
struct ServerHoldings {
    int clients = -1;
    int resources = -1;
    bool operator==(const ServerHoldings& o) const {
        return clients == o.clients && resources == o.resources;
    }
};
ServerHoldings serverHoldingsOfThisProcess();
// The files this process has open, as /proc/self/fd lists them.
int openFileCount();
