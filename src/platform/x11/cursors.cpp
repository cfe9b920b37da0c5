// Pointer shapes: the system's shapes from the cursor font, made once per
// connection; the shape last set is shown over every window of ours.
#include <X11/Xlib.h>
#include <X11/cursorfont.h>

#include <map>

#include "connection.h"
#include "kept.h"
#include "native_window.h"
#include "platform/window.h"
#include "x11.h"

namespace x11 {

namespace {
struct CursorTable {
    std::map<int, ::Cursor> made; // by system shape number
    platform::Cursor current = nullptr;
};

CursorTable& cursors() {
    static software::Kept<CursorTable> table;
    return *table;
}

unsigned fontShapeOf(int id) {
    switch (id) {
    case platform::kCursorWait:
        return XC_watch;
    case platform::kCursorSizeNWSE:
        return XC_bottom_right_corner;
    case platform::kCursorSizeNESW:
        return XC_bottom_left_corner;
    case platform::kCursorSizeWE:
        return XC_sb_h_double_arrow;
    case platform::kCursorSizeNS:
        return XC_sb_v_double_arrow;
    case platform::kCursorSizeAll:
        return XC_fleur;
    default:
        return XC_left_ptr;
    }
}

// The handle of a shape is its system number: valid on every connection.
int idOf(platform::Cursor cursor) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(cursor));
}
} // namespace

void showCurrentCursor(NativeWindow* w) {
    Display* d = openDisplay();
    const platform::Cursor current = cursors().current;
    if (!d || !current)
        return;
    const int id = idOf(current);
    auto made = cursors().made.find(id);
    if (made == cursors().made.end())
        made = cursors().made.emplace(id, XCreateFontCursor(d, fontShapeOf(id))).first;
    XDefineCursor(d, w->id, made->second);
}

void releaseCursors(Display* display) {
    for (const auto& entry : cursors().made)
        XFreeCursor(display, entry.second);
    cursors().made.clear();
}

int liveCursorCount() {
    return static_cast<int>(cursors().made.size());
}

} // namespace x11

namespace platform {

Cursor currentCursor() {
    return x11::cursors().current;
}

Cursor systemCursor(SystemCursor id) {
    return reinterpret_cast<Cursor>(static_cast<std::uintptr_t>(id));
}

Cursor setCursor(Cursor cursor) {
    const Cursor previous = x11::cursors().current;
    x11::cursors().current = cursor;
    if (cursor != previous)
        for (x11::NativeWindow* w : x11::nativeWindows())
            x11::showCurrentCursor(w);
    if (Display* d = x11::openDisplay())
        XFlush(d);
    return previous;
}

} // namespace platform
