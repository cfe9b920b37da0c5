// The user's zoom menu: a right click on the panel, outside the sliders,
// opens a pop-up menu of the zooms and "Follow the display". A choice is
// saved as the user's preference, so every editor opened after it starts at
// it, and told to the menu's owner, which applies it to this editor.
//
// It lies under the sliders over the whole panel and draws nothing, so the
// panel looks as it always has; only presses of the right button reach it.
#pragma once

#include "editor/zoom.h"
#include "gui/controls/popup_menu.h"

class ZoomMenu : public PopupMenu, public ControlListener {
public:
    class Owner {
    public:
        // The user chose `preference`; `saved` is false when it could not
        // be kept for the editors opened after (it applies here all the same).
        virtual void zoomChosen(const ZoomPreference& preference, bool saved) = 0;

    protected:
        ~Owner() = default;
    };

    // The entries in the order shown: the zooms, then "Follow the display".
    static constexpr int kEntryCount = 6;
    static constexpr int kFollowDisplayEntry = 5;
    static const char* const kEntryTexts[kEntryCount];

    // Over `panel`; `owner` (which outlives it, may be null) hears of choices.
    ZoomMenu(const Rect& panel, Owner* owner, const ZoomPreference& current);

    void draw(DrawContext* context) override;
    void drawRect(DrawContext* context, const Rect& update) override;
    bool hitTest(const Point& where, int buttons = -1) override;
    // Opens the menu at the pointer, the current zoom and following ticked.
    void onMouseDown(DrawContext* context, Point& where) override;

    void valueChanged(DrawContext* context, Control* control) override;

    const ZoomPreference& preference() const { return current; }
    void setPreference(const ZoomPreference& preference) { current = preference; }

    // The preference choosing entry `index` makes of `before`: a zoom
    // replaces the zoom, "Follow the display" turns following over.
    static ZoomPreference afterChoice(const ZoomPreference& before, int index);

private:
    void tickCurrent();

    Owner* owner;
    ZoomPreference current;
};
