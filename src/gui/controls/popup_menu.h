// A value display showing the current entry of a list of up to 1024 texts.
// A click opens a platform pop-up menu of the entries; the chosen entry
// becomes the current one (the value is its index). Special texts: "-" a
// separator, a leading "-T" a title, "-G" a greyed entry, "-M" an entry
// opening a sub-menu.
#pragma once

#include "gui/controls/value_display.h"
#include "gui/focus_events.h"
#include "platform/popup_menu.h"

class PopupMenuStyle;

constexpr int kMaxMenuEntries = 1024;

// Numbering modes: new entries get their number (position + 1) in front.
enum MenuNumbering : int {
    numberingNone = 0,
    numberingPlain = 2,       // "1 text"
    numberingTwoDigits = 3,   // "01 text"
    numberingThreeDigits = 4, // "001 text"
};

class PopupMenu : public ValueDisplay, public FocusEvents {
public:
    // `clickedBackground` (may be null) is shown while the menu is open.
    PopupMenu(const Rect& bounds, ControlListener* listener, int tag, Bitmap* background = nullptr,
              Bitmap* clickedBackground = nullptr, int style = 0);
    ~PopupMenu() override;

    void draw(DrawContext* context) override;
    // Opens the menu on the left or the right button.
    void onMouseDown(DrawContext* context, Point& where) override;
    void loseFocus(DrawContext* context) override;
    // Opens the menu and waits for the user's choice.
    void takeFocus(DrawContext* context) override;
    // trunc(value) becomes the current index when it names an entry that is
    // not a separator; with styleCheckEachEntry that entry's check flips.
    void setValue(float newValue) override;

    // Slots added by the menu, in their fixed order.
    // Appends (index -1) or inserts the text; false when the menu is full.
    virtual bool addEntry(const char* text, int index = -1);
    // Appends an entry opening `subMenu`, which is retained.
    virtual bool addEntry(PopupMenu* subMenu, const char* text);
    // Copies the current entry's text (256 bytes) and answers its index, or
    // with countSeparators false the number of entries before it that are
    // neither separators nor titles; -1 without a current entry.
    virtual int getCurrent(char* text = nullptr, bool countSeparators = true);
    virtual bool setCurrent(int index, bool countSeparators = true);
    virtual bool getEntry(int index, char* text);
    virtual bool setEntry(int index, const char* text);
    virtual bool removeEntry(int index);
    virtual bool removeAllEntries();
    virtual int getEntryCount();
    // The index of the first entry with exactly this text; -1 when none.
    virtual int getIndex(const char* text);
    virtual bool checkEntry(int index, bool checked);
    virtual bool checkEntryAlone(int index);
    virtual bool isCheckEntry(int index);
    virtual void setEntriesPerColumn(int count);
    virtual int getEntriesPerColumn();
    virtual PopupMenuStyle* getMenuStyle();
    virtual void setNumbering(int mode);

    // With a style the menu draws its entries itself; the style is retained.
    void setMenuStyle(PopupMenuStyle* style);
    PopupMenu* getSubMenu(int index);
    int getNumbering() const { return numbering; }
    // The button of the last click: kLButton or kRButton.
    int getLastButton() const { return lastButton; }
    // The index of the current entry; -1 when there is none.
    int currentIndex() const;

    // The frame's window hands these over while the menu is open.
    bool measureMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned itemId, int& width,
                         int& height) override;
    bool drawMenuItem(DrawContext* context, std::uintptr_t itemData, unsigned itemId,
                      unsigned state, const Rect& r) override;
    platform::GraphicsObject editColors(platform::DeviceContext) override;

private:
    struct Entry;
    struct MenuBuild;
    struct DrawnItem;

    bool insertEntry(const char* text, int index, PopupMenu* subMenu);
    bool isSeparatorAt(int index) const;
    // Whether `menu` is this one or reachable through its sub-menus.
    bool leadsTo(const PopupMenu* menu, int depth = 0) const;
    // The text drawn for the current entry: without its marker and number.
    void currentText(char* shown) const;
    platform::Menu buildMenu(MenuBuild& build, int depth);
    // The owner-drawn item of the open menu that `itemData` names; null for none.
    const DrawnItem* drawnItem(std::uintptr_t itemData) const;

    Entry* entries[kMaxMenuEntries] = {};
    int entryCount = 0;
    int entriesPerColumn = 0;
    int numbering = numberingNone;
    int lastButton = kLButton;
    PopupMenuStyle* menuStyle = nullptr;
    Bitmap* clickedBackground;
    MenuBuild* openMenu = nullptr; // while the platform menu is open
};
