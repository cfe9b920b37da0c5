// Edit boxes: not offered yet on X11; creation fails, which the toolkit's
// text fields take as "no typing in place".
#include "platform/edit_box.h"

namespace platform {

EditBox createEditBox(Window, const EditBoxSetup&) {
    return nullptr;
}

int editBoxText(EditBox, char* text, int capacity) {
    if (text && capacity > 0)
        text[0] = 0;
    return 0;
}

void destroyEditBox(EditBox) {}

} // namespace platform
