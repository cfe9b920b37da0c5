#include "editor/zoom_menu.h"

#include "gui/draw_context.h"

namespace {
// The menu's own tag: its choices go to itself, never to a parameter.
constexpr int kZoomMenuTag = -2;
} // namespace

const char* const ZoomMenu::kEntryTexts[kEntryCount] = {
    "Zoom: 100 %", "Zoom: 125 %", "Zoom: 150 %", "Zoom: 200 %", "Zoom: 300 %", "Follow the display",
};

static_assert(sizeof zoom::kChoices / sizeof zoom::kChoices[0] == ZoomMenu::kFollowDisplayEntry,
              "one entry per zoom, then following the display");

ZoomMenu::ZoomMenu(const Rect& panel, Owner* menuOwner, const ZoomPreference& preference)
    : PopupMenu(panel, nullptr, kZoomMenuTag, nullptr, nullptr, styleCheckEachEntry),
      owner(menuOwner), current(preference) {
    listener = this;
    setTransparent(true);
    for (const char* text : kEntryTexts)
        addEntry(text);
}

// The panel under it shows through.
void ZoomMenu::draw(DrawContext*) {}
void ZoomMenu::drawRect(DrawContext*, const Rect&) {}

bool ZoomMenu::hitTest(const Point& where, int buttons) {
    return buttons != -1 && (buttons & kRButton) && View::hitTest(where, buttons);
}

void ZoomMenu::tickCurrent() {
    for (int i = 0; i < kFollowDisplayEntry; ++i)
        checkEntry(i, zoom::kChoices[i] == current.zoom);
    checkEntry(kFollowDisplayEntry, current.followDisplay);
}

void ZoomMenu::onMouseDown(DrawContext* context, Point& where) {
    if (!context || !(context->getMouseButtons() & kRButton))
        return;
    tickCurrent();
    // The menu opens below its control's bounds: for the moment, those of
    // the point clicked.
    const Rect panel = bounds;
    bounds = Rect(where.h, where.v, where.h, where.v);
    PopupMenu::onMouseDown(context, where);
    bounds = panel;
}

ZoomPreference ZoomMenu::afterChoice(const ZoomPreference& before, int index) {
    ZoomPreference after = before;
    if (index >= 0 && index < kFollowDisplayEntry)
        after.zoom = zoom::kChoices[index];
    else if (index == kFollowDisplayEntry)
        after.followDisplay = !before.followDisplay;
    return after;
}

void ZoomMenu::valueChanged(DrawContext*, Control*) {
    const int index = currentIndex();
    if (index < 0)
        return;
    current = afterChoice(current, index);
    const bool saved = zoom::savePreference(current);
    if (owner)
        owner->zoomChosen(current, saved);
}
