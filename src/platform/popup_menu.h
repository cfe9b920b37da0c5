// Pop-up menus: built item by item, shown at a screen position until the
// user chooses an item or dismisses the menu. Owner-drawn items are measured
// and drawn by the owner window's procedure (WindowEvent::MeasureMenuItem and
// WindowEvent::DrawMenuItem) while the menu is open.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace platform {

struct MenuTag;
using Menu = MenuTag*;

// Item flags, as the window system numbers them.
enum MenuItemFlag : unsigned {
    kMenuGrayed = 0x1,      // shown greyed, cannot be chosen
    kMenuDisabled = 0x2,    // cannot be chosen
    kMenuChecked = 0x8,     // shows a check mark
    kMenuPopup = 0x10,      // opens `subMenu`
    kMenuBarBreak = 0x20,   // starts a new column, with a dividing line
    kMenuBreak = 0x40,      // starts a new column
    kMenuOwnerDraw = 0x100, // measured and drawn by the owner; `itemData` identifies it
    kMenuSeparator = 0x800, // a dividing line
};

struct MenuItem {
    unsigned flags = 0;
    unsigned id = 0;             // what choosing the item answers; 1 to 65535
    Menu subMenu = nullptr;      // kMenuPopup: owned by the menu from then on
    const char* text = nullptr;  // plain items
    std::uintptr_t itemData = 0; // owner-drawn items: non-zero
};

Menu createPopupMenu();
bool appendMenuItem(Menu menu, const MenuItem& item);
// Destroys the menu and the sub-menus appended to it.
void destroyMenu(Menu menu);

// Shows the menu with its top-left corner at (x, y) on the screen and waits
// for the user; `owner` receives the owner-drawn items' events. The answer
// is the chosen item's id, 0 when the menu was dismissed.
unsigned trackPopupMenu(Menu menu, int x, int y, bool rightButton, Window owner);

} // namespace platform
