// Pop-up menus through USER: built with AppendMenuA, shown with
// TrackPopupMenu answering the chosen command.
#include <windows.h>

#include "handles.h"
#include "platform/popup_menu.h"

namespace platform {

static_assert(kMenuGrayed == MF_GRAYED && kMenuDisabled == MF_DISABLED &&
                  kMenuChecked == MF_CHECKED && kMenuPopup == MF_POPUP &&
                  kMenuBarBreak == MF_MENUBARBREAK && kMenuBreak == MF_MENUBREAK &&
                  kMenuOwnerDraw == MF_OWNERDRAW && kMenuSeparator == MF_SEPARATOR,
              "menu item flags have the system's values");

namespace {
HMENU hmenu(Menu m) {
    return reinterpret_cast<HMENU>(m);
}
} // namespace

Menu createPopupMenu() {
    return reinterpret_cast<Menu>(CreatePopupMenu());
}

bool appendMenuItem(Menu menu, const MenuItem& item) {
    if (!menu)
        return false;
    const UINT_PTR idOrMenu = (item.flags & kMenuPopup) ? reinterpret_cast<UINT_PTR>(item.subMenu)
                                                        : static_cast<UINT_PTR>(item.id);
    // Owner-drawn items carry their item data where plain ones carry text.
    LPCSTR content = nullptr;
    if (item.flags & kMenuOwnerDraw)
        content = reinterpret_cast<LPCSTR>(item.itemData);
    else if (!(item.flags & kMenuSeparator))
        content = item.text ? item.text : "";
    return AppendMenuA(hmenu(menu), item.flags, idOrMenu, content) != 0;
}

void destroyMenu(Menu menu) {
    if (menu)
        DestroyMenu(hmenu(menu));
}

unsigned trackPopupMenu(Menu menu, int x, int y, bool rightButton, Window owner) {
    if (!menu || !owner)
        return 0;
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY |
                       (rightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON);
    const BOOL chosen = TrackPopupMenu(hmenu(menu), flags, x, y, 0, win32::hwnd(owner), nullptr);
    return chosen > 0 ? static_cast<unsigned>(chosen) : 0u;
}

} // namespace platform
