// One entry of a pop-up menu and what its text means.
#pragma once

#include <cstring>

#include "gui/controls/popup_menu.h"

struct PopupMenu::Entry {
    char text[kDisplayTextSize] = {};
    PopupMenu* subMenu = nullptr; // retained
    bool checked = false;
    int numberLength = 0; // characters of the number put in front of the text
};

namespace menu_text {

inline bool isSeparator(const char* text) {
    return std::strcmp(text, "-") == 0;
}
inline bool hasMarker(const char* text, char kind) {
    return text[0] == '-' && text[1] == kind;
}
inline bool isTitle(const char* text) {
    return hasMarker(text, 'T');
}
inline bool isGreyed(const char* text) {
    return hasMarker(text, 'G');
}
inline bool isSubMenu(const char* text) {
    return hasMarker(text, 'M');
}
// The text the user sees: without a title, greyed or sub-menu marker.
inline const char* shown(const char* text) {
    return isTitle(text) || isGreyed(text) || isSubMenu(text) ? text + 2 : text;
}

} // namespace menu_text
