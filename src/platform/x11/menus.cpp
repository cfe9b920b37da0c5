// Pop-up menus: built item by item as the toolkit asks, and shown through
// an open menu of the backend's own windows (open_menu.cpp) with the items
// measured and drawn by the software drawing, as the headless backend draws them.
#include <string>
#include <vector>

#include "connection.h"
#include "menu_drawing.h"
#include "native_window.h"
#include "open_menu.h"
#include "platform/popup_menu.h"

namespace platform {

struct MenuTag {
    struct Entry {
        MenuItem item;
        std::string text; // plain items: the caller's text, copied
    };
    std::vector<Entry> entries;
};

} // namespace platform

namespace {

// Every item measured, sub-menus' items with them.
std::vector<software::MenuItemInfo> describe(const platform::MenuTag* menu,
                                             software::WindowObject* owner) {
    std::vector<software::MenuItemInfo> items;
    for (const platform::MenuTag::Entry& entry : menu->entries) {
        software::MenuItemInfo info;
        info.flags = entry.item.flags;
        info.id = entry.item.id;
        info.text = entry.text;
        info.itemData = entry.item.itemData;
        software::measureMenuItem(info, owner);
        if (entry.item.flags & platform::kMenuPopup)
            info.subItems = describe(entry.item.subMenu, owner);
        items.push_back(std::move(info));
    }
    return items;
}

} // namespace

namespace platform {

Menu createPopupMenu() {
    return new MenuTag();
}

bool appendMenuItem(Menu menu, const MenuItem& item) {
    if (!menu || ((item.flags & kMenuPopup) && !item.subMenu) ||
        ((item.flags & kMenuOwnerDraw) && !item.itemData))
        return false;
    MenuTag::Entry entry{item, ""};
    if (!(item.flags & (kMenuOwnerDraw | kMenuSeparator)) && item.text)
        entry.text = item.text;
    entry.item.text = nullptr; // the caller's; the copy above is shown
    menu->entries.push_back(std::move(entry));
    return true;
}

void destroyMenu(Menu menu) {
    if (!menu)
        return;
    for (const MenuTag::Entry& entry : menu->entries)
        if (entry.item.flags & kMenuPopup)
            destroyMenu(entry.item.subMenu);
    delete menu;
}

unsigned trackPopupMenu(Menu menu, int x, int y, bool rightButton, Window owner) {
    x11::NativeWindow* w = x11::nativeOf(owner);
    Display* d = x11::openDisplay();
    if (!menu || !w || !d)
        return 0;
    const std::vector<software::MenuItemInfo> items = describe(menu, w);
    return x11::runOpenMenu(d, items, x, y, rightButton, w);
}

} // namespace platform
