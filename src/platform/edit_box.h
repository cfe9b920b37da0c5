// A single-line edit box the toolkit opens over a text field while the user
// types into it. The box reports Enter and the loss of the keyboard focus to
// its owner; the owner then reads the text back and destroys the box.
#pragma once

#include "platform/platform_types.h"

namespace platform {

struct EditBoxTag;
using EditBox = EditBoxTag*;

enum class EditBoxEvent {
    Enter,     // the user pressed Enter
    FocusLost, // the keyboard focus went elsewhere
};

// Called on the window's thread; the handler may destroy the box.
using EditBoxHandler = void (*)(void* owner, EditBoxEvent event);

struct EditBoxSetup {
    DeviceRect rect{};             // in the parent window's client coordinates
    const char* text = nullptr;    // the starting text; null for empty
    int alignment = 0;             // 0 left, 1 centred, 2 right
    GraphicsObject font = nullptr; // shown with this font; it stays the caller's
    // The most characters typing brings into the box; 0 or less sets no
    // limit. A longer starting text is kept whole; typing replaces the
    // selection with as much as the limit leaves room for.
    int limit = 255;
    void* owner = nullptr;
    EditBoxHandler handler = nullptr;
};

// A visible child of `parent` that takes the keyboard focus with its whole
// text selected, no inner margins, and every key for itself (Tab and Enter
// included). Null on failure.
EditBox createEditBox(Window parent, const EditBoxSetup& setup);
// Copies at most capacity - 1 characters and a terminating zero into
// `text`; returns how many characters were copied.
int editBoxText(EditBox box, char* text, int capacity);
// Destroys the box; its handler is not called any more, not even for the
// focus loss the destruction itself causes.
void destroyEditBox(EditBox box);

} // namespace platform
