// The text field's text, its display callbacks and its drawing.
#include "gui/controls/text_field.h"

#include <cstdio>
#include <cstring>

#include "gui/controls/display_text.h"
#include "gui/draw_context.h"

const char kMsgLooseFocus[] = "LooseFocus";

TextField::TextField(const Rect& r, ControlListener* listener_, int tag_, const char* initial,
                     Bitmap* picture, int style_)
    : ValueDisplay(r, listener_, tag_, picture, style_) {
    copyDisplayText(text_, initial);
}

TextField::~TextField() {
    closeEditBox();
}

void TextField::setText(const char* next) {
    if (!next)
        return;
    char copy[kDisplayTextSize];
    copyDisplayText(copy, next);
    if (std::strcmp(copy, text_) == 0)
        return;
    std::memcpy(text_, copy, sizeof text_);
    setDirty(true);
}

void TextField::getText(char* out) {
    if (out)
        std::memcpy(out, text_, std::strlen(text_) + 1);
}

void TextField::setDisplayTextWithData(DisplayTextWithData convert, void* data) {
    displayWithData = convert;
    displayData = data;
}

void TextField::setDisplayText(DisplayText convert) {
    plainDisplay = convert;
}

// The callbacks work on a copy: whatever they write, the field's own text
// stays as it was.
void TextField::shownText(char* shown) {
    char copy[kDisplayTextSize];
    std::memcpy(copy, text_, sizeof copy);
    shown[0] = 0;
    if (displayWithData)
        displayWithData(copy, shown, displayData);
    else if (plainDisplay)
        plainDisplay(copy, shown);
    else
        std::snprintf(shown, kDisplayTextSize, "%s", copy);
    shown[kDisplayTextSize - 1] = 0;
}

void TextField::draw(DrawContext* context) {
    // The open edit box covers the field.
    if (editBox) {
        setDirty(false);
        return;
    }
    char shown[kDisplayTextSize];
    shownText(shown);
    drawText(context, shown);
}
