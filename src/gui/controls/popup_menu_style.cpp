// Measuring and drawing owner-drawn pop-up menu entries.
#include "gui/controls/popup_menu_style.h"

#include <cstring>

#include "gui/draw_context.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {
// The check column on the left of every entry.
constexpr int kTextLeft = 18;
constexpr int kEntryHeight = 18;
constexpr int kSeparatorWidth = 6;
// The part of a text after a tab starts this far left of the entry's right edge.
constexpr int kTabColumn = 50;
// Room between the two parts of a tabbed text when the entry is measured.
constexpr int kTabGap = 8;

Color fromPlatform(platform::SystemColor which) {
    const platform::ColorValue c = platform::systemColor(which);
    return Color{platform::redOf(c), platform::greenOf(c), platform::blueOf(c), 0};
}

bool isSeparator(const char* text) {
    return std::strcmp(text, "-") == 0;
}

// Copies the part of `text` before its first tab into `before` (cut to 255
// characters); answers the part after the tab, or null without a tab.
const char* splitAtTab(const char* text, char (&before)[256]) {
    const char* tab = std::strchr(text, '\t');
    if (!tab)
        return nullptr;
    const std::size_t length = static_cast<std::size_t>(tab - text);
    const std::size_t n = length < sizeof before - 1 ? length : sizeof before - 1;
    std::memcpy(before, text, n);
    before[n] = 0;
    return tab + 1;
}
} // namespace

PopupMenuStyle::PopupMenuStyle()
    : background(fromPlatform(platform::kColorMenu)),
      selectedBackground(fromPlatform(platform::kColorHighlight)),
      textColor(fromPlatform(platform::kColorMenuText)),
      selectedTextColor(fromPlatform(platform::kColorHighlightText)),
      disabledTextColor(fromPlatform(platform::kColorGrayText)) {}

PopupMenuStyle::~PopupMenuStyle() = default;

int PopupMenuStyle::release() {
    if (refCount <= 0)
        return refCount;
    if (--refCount == 0) {
        delete this;
        return 0;
    }
    return refCount;
}

void PopupMenuStyle::getItemSize(DrawContext* context, const char* text, Point& size) {
    size = Point(0, kEntryHeight);
    if (!text)
        return;
    if (isSeparator(text)) {
        size.h = kSeparatorWidth;
        return;
    }
    if (!context)
        return;
    context->setFont(fontId);
    char before[256];
    if (!splitAtTab(text, before)) {
        size.h = context->getStringWidth(text) + kTextLeft;
        return;
    }
    // The part after the tab gets a column of its own at the right.
    size.h = context->getStringWidth(before) + kTextLeft + kTabGap + kTabColumn;
}

void PopupMenuStyle::drawItemBackground(DrawContext* context, const Rect& r, bool selected) {
    if (!context)
        return;
    context->setFillColor(selected ? selectedBackground : background);
    // A toolkit fill leaves out its rectangle's left column and top row:
    // moved up and left by one, it covers the entry exactly.
    context->fillRect(Rect(r.left - 1, r.top - 1, r.right, r.bottom - 1));
}

void PopupMenuStyle::drawItem(DrawContext* context, const Rect& r, const char* text,
                              unsigned state) {
    if (!context)
        return;
    const bool selected = (state & platform::kItemSelected) != 0;
    drawItemBackground(context, r, selected);
    if (!text)
        return;
    // The entry itself ends one pixel above r.
    const Rect entry(r.left, r.top, r.right, r.bottom - 1);
    if (isSeparator(text)) {
        const int middle = (entry.top + entry.bottom) / 2;
        context->setFrameColor(colorBlack);
        context->moveTo(Point(entry.left + 2, middle));
        context->lineTo(Point(entry.right - 2, middle));
        context->setFrameColor(colorWhite);
        context->moveTo(Point(entry.left + 2, middle + 1));
        context->lineTo(Point(entry.right - 2, middle + 1));
        return;
    }
    if (state & platform::kItemChecked) {
        context->setFillColor(selected ? selectedTextColor : textColor);
        context->fillRect(Rect(entry.left + 5, entry.top + 3, entry.left + 14, entry.top + 12));
    }
    const Color ink = (state & platform::kItemDisabled) ? disabledTextColor
                      : selected                        ? selectedTextColor
                                                        : textColor;
    context->setFont(fontId);
    context->setFontColor(ink);
    char before[256];
    const char* after = splitAtTab(text, before);
    context->drawString(after ? before : text,
                        Rect(entry.left + kTextLeft, entry.top, entry.right, entry.bottom), false,
                        kLeftText);
    if (after)
        context->drawString(after,
                            Rect(entry.right - kTabColumn, entry.top, entry.right, entry.bottom),
                            false, kLeftText);
}
