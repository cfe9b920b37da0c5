// The pop-up menu's entries: adding, numbering, removing, the current entry
// and the check states; and drawing the current entry.
#include "gui/controls/popup_menu.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <new>

#include "gui/bitmap.h"
#include "gui/controls/display_text.h"
#include "gui/controls/menu_entry.h"
#include "gui/controls/popup_menu_style.h"
#include "gui/draw_context.h"
#include "gui/frame.h"

namespace {
// Past this depth sub-menus are not followed: menus cannot be nested in a
// circle, so only an absurdly deep chain gets there.
constexpr int kDeepestSubMenu = 32;

// The format of a numbered text in each numbering mode.
const char* numberFormat(int mode) {
    switch (mode) {
    case numberingPlain:
        return "%1d %s";
    case numberingTwoDigits:
        return "%02d %s";
    case numberingThreeDigits:
        return "%03d %s";
    default:
        return nullptr;
    }
}

// Writes the marker, the number (when there is a format) and the text into
// `out`, cut to 255 characters; answers the length of the number with its space.
int composeEntry(char* out, const char* marker, const char* format, int number, const char* text) {
    char numbered[16] = "";
    int numberLength = 0;
    if (format)
        numberLength = std::snprintf(numbered, sizeof numbered, format, number, "");
    std::size_t n = 0;
    for (const char* part : {marker, static_cast<const char*>(numbered), text})
        for (; *part && n < kDisplayTextSize - 1; ++part)
            out[n++] = *part;
    out[n] = 0;
    return numberLength;
}
} // namespace

PopupMenu::PopupMenu(const Rect& r, ControlListener* listener_, int tag_, Bitmap* picture,
                     Bitmap* clicked, int style_)
    : ValueDisplay(r, listener_, tag_, picture, style_), clickedBackground(clicked) {
    if (clickedBackground)
        clickedBackground->retain();
}

PopupMenu::~PopupMenu() {
    removeAllEntries();
    if (menuStyle)
        menuStyle->release();
    if (clickedBackground)
        clickedBackground->release();
}

bool PopupMenu::isSeparatorAt(int index) const {
    return menu_text::isSeparator(entries[index]->text);
}

int PopupMenu::currentIndex() const {
    // NaN and values beyond every index name no entry.
    if (!(value >= 0.0f && value < static_cast<float>(entryCount)))
        return -1;
    const int index = static_cast<int>(value);
    return isSeparatorAt(index) ? -1 : index;
}

bool PopupMenu::addEntry(const char* text, int index) {
    if (!text)
        return false;
    return insertEntry(text, index, nullptr);
}

bool PopupMenu::addEntry(PopupMenu* subMenu, const char* text) {
    // A menu never opens itself, directly or through its sub-menus.
    if (!subMenu || subMenu->leadsTo(this))
        return false;
    return insertEntry(text ? text : "", -1, subMenu);
}

bool PopupMenu::leadsTo(const PopupMenu* menu, int depth) const {
    if (this == menu)
        return true;
    if (depth > kDeepestSubMenu)
        return true; // too deep to be sure: treated as a circle
    for (int i = 0; i < entryCount; ++i)
        if (entries[i]->subMenu && entries[i]->subMenu->leadsTo(menu, depth + 1))
            return true;
    return false;
}

bool PopupMenu::insertEntry(const char* text, int index, PopupMenu* subMenu) {
    if (entryCount >= kMaxMenuEntries)
        return false;
    Entry* entry = new (std::nothrow) Entry();
    if (!entry)
        return false;
    if (index < 0 || index > entryCount)
        index = entryCount;
    // Separators keep their meaning; markers stay in front of the number.
    const char* format =
        subMenu || !menu_text::isSeparator(text) ? numberFormat(numbering) : nullptr;
    const char* rest = subMenu ? text : menu_text::shown(text);
    char marker[3] = "-M";
    if (!subMenu) {
        const std::size_t length = static_cast<std::size_t>(rest - text);
        std::memcpy(marker, text, length);
        marker[length] = 0;
    }
    entry->numberLength = composeEntry(entry->text, marker, format, index + 1, rest);
    entry->subMenu = subMenu;
    if (subMenu)
        subMenu->retain();

    const int current = currentIndex();
    for (int i = entryCount; i > index; --i)
        entries[i] = entries[i - 1];
    entries[index] = entry;
    ++entryCount;
    if (current >= index)
        value = static_cast<float>(current + 1);
    return true;
}

int PopupMenu::getCurrent(char* text, bool countSeparators) {
    const int current = currentIndex();
    if (text)
        copyDisplayText(text, current >= 0 ? entries[current]->text : "");
    if (current < 0 || countSeparators)
        return current;
    int counted = 0;
    for (int i = 0; i < current; ++i)
        if (!isSeparatorAt(i) && !menu_text::isTitle(entries[i]->text))
            ++counted;
    return counted;
}

bool PopupMenu::setCurrent(int index, bool countSeparators) {
    if (!countSeparators) {
        // The index counts only the entries that are neither separators nor titles.
        int counted = 0, found = -1;
        for (int i = 0; i < entryCount && found < 0; ++i) {
            if (isSeparatorAt(i) || menu_text::isTitle(entries[i]->text))
                continue;
            if (counted++ == index)
                found = i;
        }
        index = found;
    }
    if (index < 0 || index >= entryCount || isSeparatorAt(index))
        return false;
    value = static_cast<float>(index);
    setDirty(true);
    return true;
}

void PopupMenu::setValue(float newValue) {
    if (!(newValue >= 0.0f && newValue < static_cast<float>(entryCount)))
        return;
    const int index = static_cast<int>(newValue);
    if (isSeparatorAt(index))
        return;
    value = static_cast<float>(index);
    if (style & styleCheckEachEntry)
        entries[index]->checked = !entries[index]->checked;
    setDirty(true);
}

bool PopupMenu::getEntry(int index, char* text) {
    if (index < 0 || index >= entryCount || !text)
        return false;
    copyDisplayText(text, entries[index]->text);
    return true;
}

bool PopupMenu::setEntry(int index, const char* text) {
    if (index < 0 || index >= entryCount || !text)
        return false;
    copyDisplayText(entries[index]->text, text);
    entries[index]->numberLength = 0;
    setDirty(true);
    return true;
}

bool PopupMenu::removeEntry(int index) {
    if (index < 0 || index >= entryCount)
        return false;
    const int current = currentIndex();
    if (entries[index]->subMenu)
        entries[index]->subMenu->release();
    delete entries[index];
    for (int i = index + 1; i < entryCount; ++i)
        entries[i - 1] = entries[i];
    entries[--entryCount] = nullptr;
    // The current entry keeps its place among the others. When it goes, the
    // one taking its place (or the new last one) becomes current, unless
    // that is a separator.
    int next = current;
    if (entryCount == 0)
        next = -1;
    else if (current > index)
        next = current - 1;
    else if (current == index)
        next = index < entryCount ? index : entryCount - 1;
    if (next >= 0 && isSeparatorAt(next))
        next = -1;
    if (current >= 0 || entryCount == 0)
        value = static_cast<float>(next);
    setDirty(true);
    return true;
}

bool PopupMenu::removeAllEntries() {
    for (int i = 0; i < entryCount; ++i) {
        if (entries[i]->subMenu)
            entries[i]->subMenu->release();
        delete entries[i];
        entries[i] = nullptr;
    }
    entryCount = 0;
    value = -1.0f;
    setDirty(true);
    return true;
}

int PopupMenu::getEntryCount() {
    return entryCount;
}

int PopupMenu::getIndex(const char* text) {
    if (!text)
        return -1;
    for (int i = 0; i < entryCount; ++i)
        if (std::strcmp(entries[i]->text, text) == 0)
            return i;
    return -1;
}

bool PopupMenu::checkEntry(int index, bool checked) {
    if (index < 0 || index >= entryCount)
        return false;
    entries[index]->checked = checked;
    return true;
}

bool PopupMenu::checkEntryAlone(int index) {
    if (index < 0 || index >= entryCount)
        return false;
    for (int i = 0; i < entryCount; ++i)
        entries[i]->checked = i == index;
    return true;
}

bool PopupMenu::isCheckEntry(int index) {
    return index >= 0 && index < entryCount && entries[index]->checked;
}

void PopupMenu::setEntriesPerColumn(int count) {
    entriesPerColumn = count > 0 ? count : 0;
}

int PopupMenu::getEntriesPerColumn() {
    return entriesPerColumn;
}

PopupMenuStyle* PopupMenu::getMenuStyle() {
    return menuStyle;
}

void PopupMenu::setMenuStyle(PopupMenuStyle* next) {
    if (next)
        next->retain();
    if (menuStyle)
        menuStyle->release();
    menuStyle = next;
}

void PopupMenu::setNumbering(int mode) {
    numbering = mode;
}

PopupMenu* PopupMenu::getSubMenu(int index) {
    return index >= 0 && index < entryCount ? entries[index]->subMenu : nullptr;
}

void PopupMenu::currentText(char* shown) const {
    const int current = currentIndex();
    if (current < 0) {
        shown[0] = 0;
        return;
    }
    const Entry& entry = *entries[current];
    const char* text = menu_text::shown(entry.text);
    // The number in front is left out on the control's face.
    const std::size_t length = std::strlen(text);
    const std::size_t skip = static_cast<std::size_t>(entry.numberLength);
    copyDisplayText(shown, text + (skip < length ? skip : length));
}

void PopupMenu::draw(DrawContext* context) {
    char shown[kDisplayTextSize];
    currentText(shown);
    drawText(context, shown);
}
