#include "window_model.h"

#include <algorithm>
#include <map>
#include <string>

#include "kept.h"
#include "platform/graphics.h"

namespace software {

namespace {
std::map<std::string, platform::WindowProcedure>& classes() {
    static Kept<std::map<std::string, platform::WindowProcedure>> table;
    return *table;
}
} // namespace

bool registerWindowClass(const char* name, platform::WindowProcedure procedure) {
    if (!name || !procedure)
        return false;
    return classes().emplace(name, procedure).second;
}

void unregisterWindowClass(const char* name) {
    if (name)
        classes().erase(name);
}

platform::WindowProcedure windowClassProcedure(const char* name) {
    if (!name)
        return nullptr;
    const auto entry = classes().find(name);
    return entry == classes().end() ? nullptr : entry->second;
}

void forgetWindowClasses() {
    classes().clear();
}

void linkToParent(WindowObject* w, WindowObject* parent) {
    w->parent = parent;
    if (parent)
        parent->children.push_back(w);
}

void destroyWindowTree(WindowObject* w, const WindowEnd& end) {
    if (w->destroying)
        return;
    w->destroying = true;
    if (end.leaving)
        end.leaving(w);
    if (w->parent) {
        auto& siblings = w->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
        w->parent = nullptr;
    }
    // The window is told first, while it and its children still exist.
    platform::WindowMessage message{platform::WindowEvent::Destroy};
    deliverEvent(w, message);
    while (!w->children.empty()) {
        WindowObject* child = w->children.back();
        child->parent = nullptr;
        w->children.pop_back();
        destroyWindowTree(child, end);
    }
    if (end.forget)
        end.forget(w);
}

raster::Box wholeOf(const WindowObject* w) {
    return w->surface.bounds();
}

void addDamage(WindowObject* w, const raster::Box& area) {
    w->damage = w->damage.unite(area.intersect(wholeOf(w)));
}

bool damageBounds(const WindowObject* w, platform::DeviceRect& update) {
    if (w->damage.empty())
        return false;
    update = platform::DeviceRect{w->damage.left, w->damage.top, w->damage.right, w->damage.bottom};
    return true;
}

void paintWindow(WindowObject* w) {
    platform::WindowMessage message{platform::WindowEvent::Paint};
    if (!deliverEvent(w, message))
        w->damage = raster::Box{};
}

bool beginWindowPaint(WindowObject* w, platform::PaintSession& session) {
    const raster::Box d = w->damage;
    w->damage = raster::Box{};
    session.dc = platform::getDC(handle(w));
    if (!session.dc)
        return false;
    session.area = platform::DeviceRect{d.left, d.top, d.right, d.bottom};
    TargetObject* t = target(session.dc);
    t->systemClip = d;
    t->state.clip = d;
    return true;
}

void resizeWindow(WindowObject* w, int width, int height) {
    raster::Surface resized(width, height, false, raster::kBlack);
    for (int y = 0; y < std::min(height, w->surface.height()); ++y)
        for (int x = 0; x < std::min(width, w->surface.width()); ++x)
            resized.set(x, y, w->surface.get(x, y));
    w->surface = std::move(resized);
    w->screen.right = w->screen.left + width;
    w->screen.bottom = w->screen.top + height;
    w->damage = wholeOf(w);
}

} // namespace software
