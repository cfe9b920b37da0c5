#include "menu_drawing.h"

#include <algorithm>
#include <string>

#include "platform/graphics.h"
#include "platform/popup_menu.h"
#include "platform/software/software.h"
#include "platform/system.h"
#include "platform/window.h"

namespace software {

namespace {
// Plain items as the system draws them: a check column, the text, and room
// for a sub-menu arrow.
constexpr int kCheckColumn = 17;
constexpr int kArrowColumn = 17;
constexpr int kPlainHeight = 19;
constexpr int kSeparatorHeight = 9;

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

} // namespace

void measureMenuItem(MenuItemInfo& item, WindowObject* owner) {
    if (item.flags & platform::kMenuOwnerDraw) {
        platform::WindowMessage message{platform::WindowEvent::MeasureMenuItem};
        message.itemData = item.itemData;
        message.itemId = item.id;
        if (deliverEvent(owner, message)) {
            item.width = message.itemWidth;
            item.height = message.itemHeight;
        }
    } else if (item.flags & platform::kMenuSeparator) {
        item.height = kSeparatorHeight;
    } else {
        item.width = kCheckColumn + plainTextWidth(item.text) + kArrowColumn;
        item.height = kPlainHeight;
    }
}

bool isChoosable(const MenuItemInfo& item) {
    constexpr unsigned kUnchoosable =
        platform::kMenuGrayed | platform::kMenuDisabled | platform::kMenuSeparator;
    return (item.flags & kUnchoosable) == 0;
}

MenuLayout layOutMenu(const std::vector<MenuItemInfo>& items) {
    MenuLayout layout;
    std::vector<platform::DeviceRect>& rects = layout.items;
    rects.resize(items.size());
    int x = 0, y = 0, columnStart = 0;
    auto closeColumn = [&](int end) {
        int columnWidth = 0;
        for (int i = columnStart; i < end; ++i)
            columnWidth = std::max(columnWidth, items[static_cast<std::size_t>(i)].width);
        for (int i = columnStart; i < end; ++i) {
            rects[static_cast<std::size_t>(i)].left = x;
            rects[static_cast<std::size_t>(i)].right = x + columnWidth;
        }
        x += columnWidth;
        layout.width = x;
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
        layout.height = std::max(layout.height, y);
    }
    closeColumn(static_cast<int>(items.size()));
    return layout;
}

raster::Surface drawMenu(const std::vector<MenuItemInfo>& items, WindowObject* owner,
                         int selected) {
    const MenuLayout layout = layOutMenu(items);
    const int width = layout.width;
    const int height = layout.height;
    const std::vector<platform::DeviceRect>& rects = layout.items;
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

} // namespace software
