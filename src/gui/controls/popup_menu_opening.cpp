// Opening a pop-up menu: the platform menu built from the entries and their
// sub-menus, shown at the control, owner-drawn through the menu's style, and
// what the user's choice does.
#include <vector>

#include "gui/controls/menu_entry.h"
#include "gui/controls/popup_menu.h"
#include "gui/controls/popup_menu_style.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {
// Command ids run from 1; the platform passes them on as 16-bit numbers.
constexpr std::size_t kMostChoices = 0xFFFF;
// Column breaks are left out of long menus.
constexpr int kLongestMenuWithColumns = 160;
constexpr int kDeepestOpenedMenu = 32;
} // namespace

// An owner-drawn item of an open menu.
struct PopupMenu::DrawnItem {
    const char* text;
    bool disabled; // drawn disabled whatever state the platform reports
};

// What one opened menu is made of: the entry behind each command id, and
// the texts owner-drawn items stand for.
struct PopupMenu::MenuBuild {
    struct Choice {
        PopupMenu* owner;
        int index;
    };
    bool ownerDrawn = false;
    std::vector<Choice> choices; // command id - 1
    std::vector<DrawnItem> drawnItems;
};

platform::Menu PopupMenu::buildMenu(MenuBuild& build, int depth) {
    platform::Menu menu = platform::createPopupMenu();
    if (!menu)
        return nullptr;
    const int perColumn = entryCount < kLongestMenuWithColumns ? entriesPerColumn : 0;
    const int current = currentIndex();
    for (int i = 0; i < entryCount; ++i) {
        const Entry& entry = *entries[i];
        const char* shown = menu_text::shown(entry.text);
        platform::MenuItem item;
        if (perColumn > 0 && i > 0 && i % perColumn == 0)
            item.flags |= platform::kMenuBarBreak;
        if (menu_text::isSeparator(entry.text)) {
            item.flags |= build.ownerDrawn ? platform::kMenuDisabled : platform::kMenuSeparator;
        } else if (menu_text::isSubMenu(entry.text)) {
            platform::Menu sub = entry.subMenu && depth < kDeepestOpenedMenu
                                     ? entry.subMenu->buildMenu(build, depth + 1)
                                     : nullptr;
            if (sub) {
                item.flags |= platform::kMenuPopup;
                item.subMenu = sub;
            } else {
                item.flags |= platform::kMenuGrayed;
            }
        } else if (menu_text::isTitle(entry.text)) {
            item.flags |= platform::kMenuDisabled;
        } else if (menu_text::isGreyed(entry.text)) {
            item.flags |= platform::kMenuGrayed;
        } else if (build.choices.size() < kMostChoices) {
            build.choices.push_back(MenuBuild::Choice{this, i});
            item.id = static_cast<unsigned>(build.choices.size());
        } else {
            item.flags |= platform::kMenuGrayed; // no id left for it
        }
        const bool checked = ((style & styleCheckEachEntry) && entry.checked) ||
                             ((style & styleCheckCurrent) && i == current);
        if (checked)
            item.flags |= platform::kMenuChecked;
        if (build.ownerDrawn) {
            item.flags |= platform::kMenuOwnerDraw;
            item.itemData = reinterpret_cast<std::uintptr_t>(shown);
            // Some systems report only greyed items as disabled to the
            // owner; titles are drawn disabled all the same.
            constexpr unsigned kCannotChoose = platform::kMenuDisabled | platform::kMenuGrayed;
            build.drawnItems.push_back(DrawnItem{shown, (item.flags & kCannotChoose) != 0});
        } else {
            item.text = shown;
        }
        if (!platform::appendMenuItem(menu, item) && item.subMenu)
            platform::destroyMenu(item.subMenu);
    }
    return menu;
}

void PopupMenu::onMouseDown(DrawContext* context, Point&) {
    if (!context)
        return;
    const int buttons = context->getMouseButtons();
    if (!(buttons & (kLButton | kRButton)))
        return;
    lastButton = (buttons & kLButton) ? kLButton : kRButton;
    if (clickedBackground) {
        char shown[kDisplayTextSize];
        currentText(shown);
        drawText(context, shown, clickedBackground);
    }
    if (!frame)
        return;
    frame->setFocusView(this);
    takeFocus(context);
}

void PopupMenu::takeFocus(DrawContext* context) {
    if (openMenu || !frame || !frame->getWindow())
        return;
    // Owner-drawn items reach the menu only as the frame's focus view.
    if (frame->getFocusView() != this)
        frame->setFocusView(this);
    MenuBuild build;
    build.ownerDrawn = menuStyle != nullptr;
    platform::Menu menu = buildMenu(build, 0);
    unsigned chosen = 0;
    if (menu) {
        Point origin = context ? context->windowOrigin : Point();
        platform::DeviceRect corner;
        if (!context && platform::windowRect(frame->getWindow(), corner))
            origin = Point(corner.left, corner.top);
        const int top = (style & stylePopupAtTop) ? bounds.top : bounds.bottom;
        openMenu = &build;
        // The menu opens at the control's corner in the window's pixels.
        const double s = frame->getScale();
        chosen = platform::trackPopupMenu(menu, origin.h + scale::toDevice(bounds.left, s),
                                          origin.v + scale::toDevice(top, s),
                                          lastButton == kRButton, frame->getWindow());
        openMenu = nullptr;
        platform::destroyMenu(menu);
    }
    if (frame->getFocusView() == this)
        frame->setFocusView(nullptr);
    if (chosen == 0 || chosen > build.choices.size()) {
        if (clickedBackground)
            setDirty(true);
        return;
    }
    // The menu that owns the entry (this one or a sub-menu) takes it as its
    // value; the listener of the menu clicked hears of it.
    const MenuBuild::Choice choice = build.choices[chosen - 1];
    choice.owner->setValue(static_cast<float>(choice.index));
    if (listener)
        listener->valueChanged(context, choice.owner);
}

void PopupMenu::loseFocus(DrawContext*) {
    // The face shown while open goes back to the plain one.
    if (clickedBackground)
        setDirty(true);
}

const PopupMenu::DrawnItem* PopupMenu::drawnItem(std::uintptr_t itemData) const {
    if (!openMenu)
        return nullptr;
    for (const DrawnItem& item : openMenu->drawnItems)
        if (reinterpret_cast<std::uintptr_t>(item.text) == itemData)
            return &item;
    return nullptr;
}

bool PopupMenu::measureMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned, int& width,
                                int& height) {
    if (!menuStyle || !drawnItem(itemData))
        return false;
    Point size;
    menuStyle->getItemSize(context, reinterpret_cast<const char*>(itemData), size);
    width = size.h;
    height = size.v;
    return true;
}

bool PopupMenu::drawMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned,
                             unsigned state, const Rect& r) {
    const DrawnItem* item = menuStyle ? drawnItem(itemData) : nullptr;
    if (!item)
        return false;
    menuStyle->drawItem(context, r, item->text,
                        item->disabled ? state | platform::kItemDisabled : state);
    return true;
}

// A menu opens no edit box.
platform::GraphicsObject PopupMenu::editColors(platform::DeviceContext) {
    return nullptr;
}
