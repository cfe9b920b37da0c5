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
#include "objects.h"
#include "platform/graphics.h"
#include "platform/popup_menu.h"
#include "platform/system.h"

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

// Plain items as the system draws them: a check column, the text, and room
// for a sub-menu arrow.
constexpr int kCheckColumn = 17;
constexpr int kArrowColumn = 17;
constexpr int kPlainHeight = 19;
constexpr int kSeparatorHeight = 9;

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

platform::FontDescription plainFont() {
    platform::FontDescription d{};
    d.height = -12;
    d.weight = 400;
    d.pitchAndFamily = platform::kVariablePitchSwiss;
    const char face[] = "Arial";
    std::copy(face, face + sizeof face, d.faceName);
    return d;
}

int plainTextWidth(const std::string& text) {
    platform::DeviceContext dc = platform::createCompatibleDC(nullptr);
    platform::GraphicsObject font = platform::createFont(plainFont());
    platform::GraphicsObject previous = platform::selectObject(dc, font);
    int width = 0, height = 0;
    platform::textExtent(dc, text.c_str(), static_cast<int>(text.size()), width, height);
    platform::selectObject(dc, previous);
    platform::deleteObject(font);
    platform::deleteDC(dc);
    return width;
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
        if (i.item.flags & platform::kMenuOwnerDraw) {
            platform::WindowMessage message{platform::WindowEvent::MeasureMenuItem};
            message.itemData = i.item.itemData;
            message.itemId = i.item.id;
            if (deliverEvent(owner, message)) {
                info.width = message.itemWidth;
                info.height = message.itemHeight;
            }
        } else if (i.item.flags & platform::kMenuSeparator) {
            info.height = kSeparatorHeight;
        } else {
            info.width = kCheckColumn + plainTextWidth(i.text) + kArrowColumn;
            info.height = kPlainHeight;
        }
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
        constexpr unsigned kUnchoosable =
            platform::kMenuGrayed | platform::kMenuDisabled | platform::kMenuSeparator;
        if (item.flags & kUnchoosable)
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

void drawPlainItem(platform::DeviceContext dc, const MenuItemInfo& item, platform::DeviceRect r,
                   bool selected) {
    using namespace platform;
    if (item.flags & kMenuSeparator) {
        GraphicsObject pen = createPen(kPenSolid, 1, systemColor(kColorGrayText));
        GraphicsObject previous = selectObject(dc, pen);
        const int y = (r.top + r.bottom) / 2;
        moveTo(dc, r.left + 1, y);
        lineTo(dc, r.right - 1, y);
        selectObject(dc, previous);
        deleteObject(pen);
        return;
    }
    if (selected) {
        GraphicsObject brush = createSolidBrush(systemColor(kColorHighlight));
        fillRect(dc, r, brush);
        deleteObject(brush);
    }
    const bool greyed = (item.flags & (kMenuGrayed | kMenuDisabled)) != 0;
    const ColorValue ink = greyed     ? systemColor(kColorGrayText)
                           : selected ? systemColor(kColorHighlightText)
                                      : systemColor(kColorMenuText);
    if (item.flags & kMenuChecked) {
        GraphicsObject brush = createSolidBrush(ink);
        fillRect(dc, DeviceRect{r.left + 5, r.top + 6, r.left + 12, r.top + 13}, brush);
        deleteObject(brush);
    }
    GraphicsObject font = createFont(plainFont());
    GraphicsObject previous = selectObject(dc, font);
    setTextColor(dc, ink);
    setBackgroundMode(dc, kBackgroundTransparent);
    DeviceRect text{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
    drawText(dc, item.text.c_str(), static_cast<int>(item.text.size()), text,
             kTextSingleLine | kTextVerticalCenter);
    if (item.flags & kMenuPopup) {
        DeviceRect arrow{r.right - kArrowColumn, r.top, r.right, r.bottom};
        drawText(dc, ">", 1, arrow, kTextSingleLine | kTextVerticalCenter | kTextCenter);
    }
    selectObject(dc, previous);
    deleteObject(font);
}

// Lays the items out in columns (a break flag starts a new one) and draws them.
raster::Surface drawMenu(const std::vector<MenuItemInfo>& items, WindowObject* owner,
                         int selected) {
    std::vector<platform::DeviceRect> rects(items.size());
    int x = 0, y = 0, columnStart = 0, width = 0, height = 0;
    auto closeColumn = [&](int end) {
        int columnWidth = 0;
        for (int i = columnStart; i < end; ++i)
            columnWidth = std::max(columnWidth, items[static_cast<std::size_t>(i)].width);
        for (int i = columnStart; i < end; ++i) {
            rects[static_cast<std::size_t>(i)].left = x;
            rects[static_cast<std::size_t>(i)].right = x + columnWidth;
        }
        x += columnWidth;
        width = x;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && (items[i].flags & (platform::kMenuBreak | platform::kMenuBarBreak))) {
            closeColumn(static_cast<int>(i));
            columnStart = static_cast<int>(i);
            y = 0;
        }
        rects[i].top = y;
        rects[i].bottom = y + items[i].height;
        y += items[i].height;
        height = std::max(height, y);
    }
    closeColumn(static_cast<int>(items.size()));
    if (width <= 0 || height <= 0)
        return raster::Surface(1, 1, false, raster::kBlack);

    platform::DeviceContext screen = platform::getDC(nullptr);
    platform::DeviceContext dc = platform::createCompatibleDC(screen);
    platform::GraphicsObject bitmap = platform::createCompatibleBitmap(screen, width, height);
    platform::releaseDC(nullptr, screen);
    platform::GraphicsObject previous = platform::selectObject(dc, bitmap);
    platform::GraphicsObject background =
        platform::createSolidBrush(platform::systemColor(platform::kColorMenu));
    platform::fillRect(dc, platform::DeviceRect{0, 0, width, height}, background);
    platform::deleteObject(background);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItemInfo& item = items[i];
        const bool isSelected = static_cast<int>(i) == selected;
        if (item.flags & platform::kMenuOwnerDraw) {
            platform::WindowMessage message{platform::WindowEvent::DrawMenuItem};
            message.itemData = item.itemData;
            message.itemId = item.id;
            // As some systems do, only greyed items reach the owner as disabled;
            // items that are merely disabled look enabled to it.
            message.itemState =
                ((item.flags & platform::kMenuChecked) ? platform::kItemChecked : 0u) |
                ((item.flags & platform::kMenuGrayed) ? platform::kItemDisabled : 0u) |
                (isSelected ? platform::kItemSelected : 0u);
            message.dc = dc;
            message.itemRect = rects[i];
            deliverEvent(owner, message);
        } else {
            drawPlainItem(dc, item, rects[i], isSelected);
        }
    }
    platform::selectObject(dc, previous);
    raster::Surface picture = *surfaceOf(bitmap);
    platform::deleteObject(bitmap);
    platform::deleteDC(dc);
    return picture;
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
