#include "open_menu.h"

#include <X11/keysym.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <memory>

#include "connection.h"
#include "handled_press.h"
#include "menu_drawing.h"
#include "screen_image.h"
#include "x11.h"

namespace x11 {

namespace {
int menuWindows = 0;
OpenMenuWatcher watcher = nullptr;

constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
// Another client's grab (a host's toolkit finishing a click) may end soon:
// the menu tries for half a second before it gives up.
constexpr int kGrabTries = 50;
constexpr long kGrabPauseNanoseconds = 10 * 1000 * 1000;
// How long the loop sleeps on the connection before it looks again.
constexpr int kWaitMilliseconds = 50;

using software::MenuItemInfo;

// One menu of the open ones: the top level, or a sub-menu opened from an
// item of the level below it.
struct Level {
    const std::vector<MenuItemInfo>* items = nullptr;
    software::MenuLayout layout;
    NativeWindow window; // its picture and X window; not one of the toolkit's windows
    int selected = -1;
};

// The level and the item of it under a screen point; level -1 off every menu.
struct Spot {
    int level = -1;
    int item = -1;
};

// A position that keeps `size` pixels from `start` on a screen of `extent`.
int keptOnScreen(int start, int size, int extent) {
    return std::max(0, std::min(start, extent - size));
}

class OpenMenu {
public:
    OpenMenu(Display* d, NativeWindow* owner, bool rightButton)
        : d_(d), owner_(owner), rightButton_(rightButton) {}
    ~OpenMenu() {
        XUngrabKeyboard(d_, CurrentTime);
        XUngrabPointer(d_, CurrentTime);
        closeAbove(-1);
        XFlush(d_);
    }
    OpenMenu(const OpenMenu&) = delete;
    OpenMenu& operator=(const OpenMenu&) = delete;

    bool open(const std::vector<MenuItemInfo>& items, int x, int y) {
        if (!openLevel(items, x, y))
            return false;
        for (int i = 0; i < kGrabTries; ++i) {
            const ::Window w = levels[0]->window.id;
            if (XGrabPointer(d_, w, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                             CurrentTime) == GrabSuccess) {
                if (XGrabKeyboard(d_, w, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                    GrabSuccess)
                    return true;
                XUngrabPointer(d_, CurrentTime);
            }
            const timespec pause{0, kGrabPauseNanoseconds};
            nanosleep(&pause, nullptr);
        }
        return false;
    }

    unsigned run() {
        while (!done) {
            XEvent event;
            if (XCheckIfEvent(d_, &event, &OpenMenu::isMenuEvent, reinterpret_cast<XPointer>(this)))
                handle(event);
            else if (ownerGone || !software::liveWindow(owner_))
                break;
            else
                waitForServer();
        }
        return chosen;
    }

private:
    // Takes the menu's own events and leaves every other one queued; notes
    // the owner's destruction on the way, which ends the menu.
    static Bool isMenuEvent(Display*, XEvent* event, XPointer self) {
        auto* menu = reinterpret_cast<OpenMenu*>(self);
        if (event->type == DestroyNotify && event->xdestroywindow.window == menu->owner_->id)
            menu->ownerGone = true;
        switch (event->type) {
        case Expose:
        case ButtonPress:
        case ButtonRelease:
        case MotionNotify:
        case KeyPress:
        case KeyRelease:
            return menu->levelOf(event->xany.window) >= 0;
        default:
            return False;
        }
    }

    void waitForServer() {
        XFlush(d_);
        pollfd connection{ConnectionNumber(d_), POLLIN, 0};
        poll(&connection, 1, kWaitMilliseconds);
    }

    int levelOf(::Window id) const {
        for (std::size_t i = 0; i < levels.size(); ++i)
            if (levels[i]->window.id == id)
                return static_cast<int>(i);
        return -1;
    }

    bool openLevel(const std::vector<MenuItemInfo>& items, int x, int y) {
        auto level = std::make_unique<Level>();
        level->items = &items;
        level->layout = software::layOutMenu(items);
        level->window.surface = software::drawMenu(items, owner_, -1);
        const int width = level->window.surface.width();
        const int height = level->window.surface.height();
        const int screen = DefaultScreen(d_);
        x = keptOnScreen(x, width, DisplayWidth(d_, screen));
        y = keptOnScreen(y, height, DisplayHeight(d_, screen));
        XSetWindowAttributes attributes{};
        // Placed where asked and over everything, without a window manager.
        attributes.override_redirect = True;
        attributes.save_under = True;
        attributes.event_mask = ExposureMask;
        ErrorTrap trap(d_);
        const ::Window id = XCreateWindow(
            d_, DefaultRootWindow(d_), x, y, static_cast<unsigned>(width),
            static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
            CWOverrideRedirect | CWSaveUnder | CWEventMask, &attributes);
        if (!trap.ok() || !id)
            return false;
        ++menuWindows;
        level->window.id = id;
        level->window.screen = raster::Box{x, y, x + width, y + height};
        XMapRaised(d_, id);
        levels.push_back(std::move(level));
        return true;
    }

    // Closes the levels above `keep` (every one for -1).
    void closeAbove(int keep) {
        while (static_cast<int>(levels.size()) > keep + 1) {
            XDestroyWindow(d_, levels.back()->window.id);
            --menuWindows;
            levels.pop_back();
        }
    }

    void redraw(Level& level) {
        level.window.surface = software::drawMenu(*level.items, owner_, level.selected);
        present(&level.window, level.window.surface.bounds());
    }

    // The item's sub-menu, beside it on the right, or on the menu's left
    // where the screen ends first.
    void openSubMenu(int l, bool selectFirst) {
        Level& parent = *levels[static_cast<std::size_t>(l)];
        const MenuItemInfo& item = (*parent.items)[static_cast<std::size_t>(parent.selected)];
        const platform::DeviceRect& r =
            parent.layout.items[static_cast<std::size_t>(parent.selected)];
        const int width = software::layOutMenu(item.subItems).width;
        int x = parent.window.screen.left + r.right;
        if (x + width > DisplayWidth(d_, DefaultScreen(d_)))
            x = parent.window.screen.left - width;
        if (!openLevel(item.subItems, x, parent.window.screen.top + r.top) || !selectFirst)
            return;
        move(static_cast<int>(levels.size()) - 1, 1);
    }

    // Makes the item (-1 for none) the selected one of level `l`, closing
    // what was open above it; a sub-menu item opens its menu when asked.
    void select(int l, int item, bool openSub) {
        Level& level = *levels[static_cast<std::size_t>(l)];
        if (item >= 0 && !software::isChoosable((*level.items)[static_cast<std::size_t>(item)]))
            item = -1;
        if (item == level.selected && (item < 0 || static_cast<int>(levels.size()) > l + 1))
            return;
        closeAbove(l);
        if (item != level.selected) {
            level.selected = item;
            redraw(level);
        }
        if (openSub && item >= 0 &&
            ((*level.items)[static_cast<std::size_t>(item)].flags & platform::kMenuPopup))
            openSubMenu(l, false);
    }

    // The next choosable item of level `l` in `direction`, round the ends.
    void move(int l, int direction) {
        Level& level = *levels[static_cast<std::size_t>(l)];
        const int count = static_cast<int>(level.items->size());
        int at = level.selected;
        for (int step = 0; step < count; ++step) {
            at = at < 0 ? (direction > 0 ? 0 : count - 1) : (at + direction + count) % count;
            if (software::isChoosable((*level.items)[static_cast<std::size_t>(at)])) {
                select(l, at, false);
                return;
            }
        }
    }

    Spot spotAt(int x, int y) const {
        for (int l = static_cast<int>(levels.size()) - 1; l >= 0; --l) {
            const Level& level = *levels[static_cast<std::size_t>(l)];
            const raster::Box& s = level.window.screen;
            if (x < s.left || x >= s.right || y < s.top || y >= s.bottom)
                continue;
            Spot spot{l, -1};
            for (std::size_t i = 0; i < level.layout.items.size(); ++i) {
                const platform::DeviceRect& r = level.layout.items[i];
                if (x - s.left >= r.left && x - s.left < r.right && y - s.top >= r.top &&
                    y - s.top < r.bottom)
                    spot.item = static_cast<int>(i);
            }
            return spot;
        }
        return Spot{};
    }

    // Enter, or a release over an item: a sub-menu opens, an item is chosen.
    void activate(int l, bool selectFirst) {
        Level& level = *levels[static_cast<std::size_t>(l)];
        if (level.selected < 0)
            return;
        const MenuItemInfo& item = (*level.items)[static_cast<std::size_t>(level.selected)];
        if (!(item.flags & platform::kMenuPopup)) {
            chosen = item.id;
            done = true;
        } else if (static_cast<int>(levels.size()) == l + 1) {
            openSubMenu(l, selectFirst);
        }
    }

    bool choosesWith(unsigned button) const {
        return button == Button1 || (rightButton_ && button == Button3);
    }

    void handle(const XEvent& event) {
        switch (event.type) {
        case Expose: {
            const int l = levelOf(event.xexpose.window);
            NativeWindow& w = levels[static_cast<std::size_t>(l)]->window;
            present(&w, raster::Box{event.xexpose.x, event.xexpose.y,
                                    event.xexpose.x + event.xexpose.width,
                                    event.xexpose.y + event.xexpose.height});
            if (l == 0 && event.xexpose.count == 0 && watcher && !watched) {
                watched = true;
                XSync(d_, False);
                const raster::Box& s = w.screen;
                done = !watcher(s.left, s.top, s.right, s.bottom);
            }
            break;
        }
        case MotionNotify: {
            XEvent latest = event;
            while (XCheckTypedWindowEvent(d_, event.xmotion.window, MotionNotify, &latest)) {
            }
            const Spot spot = spotAt(latest.xmotion.x_root, latest.xmotion.y_root);
            if (spot.level >= 0)
                select(spot.level, spot.item, true);
            break;
        }
        case ButtonPress: {
            const Spot spot = spotAt(event.xbutton.x_root, event.xbutton.y_root);
            if (spot.level < 0)
                done = true; // a press anywhere else dismisses the menu
            else
                select(spot.level, spot.item, true);
            break;
        }
        case ButtonRelease: {
            const Spot spot = spotAt(event.xbutton.x_root, event.xbutton.y_root);
            // The release of the press that opened the menu lands off it.
            if (spot.level >= 0 && spot.item >= 0 && choosesWith(event.xbutton.button)) {
                select(spot.level, spot.item, true);
                if (levels[static_cast<std::size_t>(spot.level)]->selected == spot.item)
                    activate(spot.level, false);
            }
            break;
        }
        case KeyPress:
            handleKey(event.xkey);
            break;
        default:
            break;
        }
    }

    void handleKey(XKeyEvent key) {
        const int innermost = static_cast<int>(levels.size()) - 1;
        switch (XLookupKeysym(&key, 0)) {
        case XK_Up:
        case XK_KP_Up:
            move(innermost, -1);
            break;
        case XK_Down:
        case XK_KP_Down:
            move(innermost, 1);
            break;
        case XK_Right:
        case XK_KP_Right: {
            const Level& level = *levels.back();
            if (level.selected >= 0 &&
                ((*level.items)[static_cast<std::size_t>(level.selected)].flags &
                 platform::kMenuPopup))
                openSubMenu(innermost, true);
            break;
        }
        case XK_Left:
        case XK_KP_Left:
            if (innermost > 0)
                closeAbove(innermost - 1);
            break;
        case XK_Return:
        case XK_KP_Enter:
        case XK_space:
            activate(innermost, true);
            break;
        case XK_Escape:
            // Closes the innermost sub-menu, or the whole menu.
            if (innermost > 0)
                closeAbove(innermost - 1);
            else
                done = true;
            break;
        default:
            break;
        }
    }

    Display* d_;
    NativeWindow* owner_;
    bool rightButton_;
    std::vector<std::unique_ptr<Level>> levels;
    bool done = false;
    bool ownerGone = false;
    bool watched = false;
    unsigned chosen = 0;
};
} // namespace

unsigned runOpenMenu(Display* display, const std::vector<MenuItemInfo>& items, int x, int y,
                     bool rightButton, NativeWindow* owner) {
    // The press that opened the menu (when one did) is over for its handler
    // once the menu has followed the pointer: the live state rules after it.
    pressFollowsPointer();
    OpenMenu menu(display, owner, rightButton);
    if (!menu.open(items, x, y))
        return 0;
    return menu.run();
}

void watchOpenMenus(OpenMenuWatcher w) {
    watcher = w;
}

int openMenuWindowCount() {
    return menuWindows;
}

} // namespace x11
