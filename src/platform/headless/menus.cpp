// The simulated pop-up menus: menus of items built by the caller, shown by
// measuring and drawing their items (owner-drawn ones through the owner
// window's procedure) and answered from a queue of scripted user choices.
#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "call_log.h"
#include "headless.h"
#include "menu_drawing.h"
#include "platform/graphics.h"
#include "platform/popup_menu.h"
#include "platform/system.h"
#include "window_system.h"

namespace headless {

namespace {
struct MenuObject;

struct ItemObject {
    platform::MenuItem item;
    std::string text;
    MenuObject* sub = nullptr;
};

struct MenuObject {
    std::vector<ItemObject> items;
};

struct MenuSystem {
    std::set<MenuObject*> live;
    std::deque<std::vector<int>> answers;
    int opened = 0;
    bool hasLast = false;
    OpenedMenuInfo last;
    raster::Surface lastPicture;
};

MenuSystem& menus() {
    static MenuSystem s;
    return s;
}

MenuObject* menuOf(platform::Menu m) {
    MenuObject* o = reinterpret_cast<MenuObject*>(m);
    return menus().live.count(o) ? o : nullptr;
}

void destroyMenuTree(MenuObject* m) {
    if (!menus().live.erase(m))
        return;
    for (ItemObject& i : m->items)
        if (i.sub)
            destroyMenuTree(i.sub);
    delete m;
}

// Measures every item, owner-drawn ones by asking the owner window.
std::vector<MenuItemInfo> describe(const MenuObject* m, WindowObject* owner) {
    std::vector<MenuItemInfo> list;
    for (const ItemObject& i : m->items) {
        MenuItemInfo info;
        info.flags = i.item.flags;
        info.id = i.item.id;
        info.text = i.text;
        info.itemData = i.item.itemData;
        measureMenuItem(info, owner);
        if (i.sub)
            info.subItems = describe(i.sub, owner);
        list.push_back(std::move(info));
    }
    return list;
}

// The id the scripted path leads to; 0 when it leads to nothing choosable.
unsigned answerFor(const std::vector<int>& path, const std::vector<MenuItemInfo>& items) {
    const std::vector<MenuItemInfo>* level = &items;
    for (std::size_t step = 0; step < path.size(); ++step) {
        const int index = path[step];
        if (index < 0 || index >= static_cast<int>(level->size()))
            return 0;
        const MenuItemInfo& item = (*level)[static_cast<std::size_t>(index)];
        if (!isChoosable(item))
            return 0;
        const bool last = step + 1 == path.size();
        if (item.flags & platform::kMenuPopup) {
            if (last)
                return 0;
            level = &item.subItems;
        } else {
            return last ? item.id : 0;
        }
    }
    return 0;
}

} // namespace

void queueMenuChoice(const std::vector<int>& path) {
    menus().answers.push_back(path);
}

void queueMenuDismissal() {
    menus().answers.emplace_back();
}

int queuedMenuAnswers() {
    return static_cast<int>(menus().answers.size());
}

void clearMenuAnswers() {
    menus().answers.clear();
}

int menusOpened() {
    return menus().opened;
}

const OpenedMenuInfo* lastOpenedMenu() {
    return menus().hasLast ? &menus().last : nullptr;
}

const raster::Surface* lastMenuPicture() {
    return menus().hasLast ? &menus().lastPicture : nullptr;
}

int liveMenuCount() {
    return static_cast<int>(menus().live.size());
}

void resetMenus() {
    MenuSystem& s = menus();
    while (!s.live.empty())
        destroyMenuTree(*s.live.begin());
    s.answers.clear();
    s.opened = 0;
    s.hasLast = false;
    s.last = OpenedMenuInfo{};
    s.lastPicture = raster::Surface();
}

} // namespace headless

namespace platform {

using namespace headless;

Menu createPopupMenu() {
    countCall("CreatePopupMenu");
    MenuObject* m = new MenuObject();
    menus().live.insert(m);
    return reinterpret_cast<Menu>(m);
}

bool appendMenuItem(Menu menu, const MenuItem& item) {
    countCall("AppendMenuA");
    MenuObject* m = menuOf(menu);
    if (!m)
        return false;
    ItemObject i;
    i.item = item;
    if (item.flags & kMenuPopup) {
        i.sub = menuOf(item.subMenu);
        if (!i.sub)
            return false;
    }
    if (item.flags & kMenuOwnerDraw) {
        if (!item.itemData)
            return false;
    } else if (!(item.flags & kMenuSeparator) && item.text) {
        i.text = item.text;
    }
    m->items.push_back(std::move(i));
    return true;
}

void destroyMenu(Menu menu) {
    countCall("DestroyMenu");
    if (MenuObject* m = menuOf(menu))
        destroyMenuTree(m);
}

unsigned trackPopupMenu(Menu menu, int x, int y, bool rightButton, Window owner) {
    countCall("TrackPopupMenu");
    MenuObject* m = menuOf(menu);
    WindowObject* o = window(owner);
    if (!m || !liveWindow(o))
        return 0;
    MenuSystem& s = menus();
    std::vector<int> path;
    if (!s.answers.empty()) {
        path = s.answers.front();
        s.answers.pop_front();
    }
    OpenedMenuInfo info;
    info.x = x;
    info.y = y;
    info.rightButton = rightButton;
    info.owner = owner;
    info.items = describe(m, o);
    info.answer = answerFor(path, info.items);
    const int selected = path.empty() ? -1 : path.front();
    s.lastPicture = drawMenu(info.items, o, selected);
    s.last = std::move(info);
    s.hasLast = true;
    ++s.opened;
    return s.last.answer;
}

} // namespace platform
