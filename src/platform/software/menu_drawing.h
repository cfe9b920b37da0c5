// Pop-up menus as the backends that draw by themselves show them: items
// measured (owner-drawn ones by the owner window), laid out in columns and
// drawn into a picture, plain items the system's way and owner-drawn ones by
// the owner.
#pragma once

#include <vector>

#include "menu_items.h"
#include "objects.h"
#include "raster/surface.h"

namespace software {

// Fills in the item's size: a plain item's from its text, an owner-drawn
// item's as the owner window answers (0 by 0 when it does not).
void measureMenuItem(MenuItemInfo& item, WindowObject* owner);

// Where each item sits in the menu's picture: columns of items, a break
// flag starting a new column.
struct MenuLayout {
    std::vector<platform::DeviceRect> items;
    int width = 0;
    int height = 0;
};
MenuLayout layOutMenu(const std::vector<MenuItemInfo>& items);

// The measured items drawn as laid out, the `selected` one (-1 for none)
// highlighted; a 1 by 1 picture for a menu with nothing to show.
raster::Surface drawMenu(const std::vector<MenuItemInfo>& items, WindowObject* owner, int selected);

// Whether the user can choose the item, or open it when it is a sub-menu.
bool isChoosable(const MenuItemInfo& item);

} // namespace software
