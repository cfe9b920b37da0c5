// What tests read and set on the X server beside the backend, on a display
// connection of their own: the keyboard focus and the resources loaded on
// the server (as xrdb loads them). No X11 header is needed to use it.
#pragma once

#include <cstdint>
#include <string>

// The window with the keyboard focus (0 for none, 1 for the pointer's).
std::uint32_t keyboardFocus();
// Replaces the server's resources with `lines` until they are removed (a
// connection stays open meanwhile); false without a display.
bool loadServerResources(const std::string& lines);
void removeServerResources();
