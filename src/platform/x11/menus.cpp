// Pop-up menus: built and destroyed as the toolkit asks; showing one is not
// offered yet on X11, so every menu opened is dismissed at once.
#include <vector>

#include "platform/popup_menu.h"

namespace platform {

struct MenuTag {
    std::vector<MenuItem> items;
};

Menu createPopupMenu() {
    return new MenuTag();
}

bool appendMenuItem(Menu menu, const MenuItem& item) {
    if (!menu)
        return false;
    MenuItem kept = item;
    kept.text = nullptr; // the text is the caller's; nothing here shows it
    menu->items.push_back(kept);
    return true;
}

void destroyMenu(Menu menu) {
    if (!menu)
        return;
    for (const MenuItem& item : menu->items)
        if (item.flags & kMenuPopup)
            destroyMenu(item.subMenu);
    delete menu;
}

unsigned trackPopupMenu(Menu, int, int, bool, Window) {
    return 0;
}

} // namespace platform
