// Opening a PopupMenu through the simulated window system: where the menu
// appears and with which button, the items it is built from, choosing and
// dismissing, sub-menu choices, columns, and owner-drawn entries.
#include <string>

#include "controls_test.h"
#include "gui/bitmap.h"
#include "gui/controls/popup_menu.h"
#include "gui/controls/popup_menu_style.h"
#include "platform/system.h"

namespace {

const Rect kBox(20, 30, 140, 48);

class PopupMenuOpeningTest : public ControlsTest {
protected:
    PopupMenu* menu(int style = 0) {
        auto* m = add(new PopupMenu(kBox, &log, 3, nullptr, nullptr, style));
        for (const char* t : {"-TChoose", "apple", "pear", "-", "-Gplum", "fig"})
            m->addEntry(t);
        m->setCurrent(1);
        return m;
    }
    void click(int buttons = kLButton) { press(kBox.left + 4, kBox.top + 4, buttons); }
    static const headless::OpenedMenuInfo& opened() {
        static const headless::OpenedMenuInfo none;
        const headless::OpenedMenuInfo* m = headless::lastOpenedMenu();
        EXPECT_NE(m, nullptr);
        return m ? *m : none;
    }
};

TEST_F(PopupMenuOpeningTest, OpensBelowTheControlWithTheLeftButton) {
    menu();
    click();
    ASSERT_EQ(headless::menusOpened(), 1);
    EXPECT_EQ(opened().x, kHostX + kBox.left);
    EXPECT_EQ(opened().y, kHostY + kBox.bottom);
    EXPECT_FALSE(opened().rightButton);
    EXPECT_EQ(opened().owner, frame->getWindow());
    EXPECT_EQ(headless::liveMenuCount(), 0);
}

// The window system's menus are in its pixels: at a scale the menu opens at
// the control's corner as the window shows it.
TEST_F(PopupMenuOpeningTest, AtAScaleOpensAtTheControlsCornerInPixels) {
    frame->setScale(2.0);
    menu();
    press(2 * (kBox.left + 4), 2 * (kBox.top + 4));
    ASSERT_EQ(headless::menusOpened(), 1);
    EXPECT_EQ(opened().x, kHostX + 2 * kBox.left);
    EXPECT_EQ(opened().y, kHostY + 2 * kBox.bottom);
}

TEST_F(PopupMenuOpeningTest, OpensAtTheTopWithItsStyleAndTracksTheRightButton) {
    PopupMenu* m = menu(stylePopupAtTop);
    click(kRButton);
    ASSERT_EQ(headless::menusOpened(), 1);
    EXPECT_EQ(opened().y, kHostY + kBox.top);
    EXPECT_TRUE(opened().rightButton);
    EXPECT_EQ(m->getLastButton(), kRButton);
    click(kMButton);
    EXPECT_EQ(headless::menusOpened(), 1);
}

TEST_F(PopupMenuOpeningTest, ItemsShowWhatTheEntriesMean) {
    menu(styleCheckCurrent);
    click();
    const auto& items = opened().items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].text, "Choose");
    EXPECT_TRUE(items[0].flags & platform::kMenuDisabled);
    EXPECT_EQ(items[0].id, 0u);
    EXPECT_EQ(items[1].text, "apple");
    EXPECT_TRUE(items[1].flags & platform::kMenuChecked); // the current entry
    EXPECT_FALSE(items[2].flags & platform::kMenuChecked);
    EXPECT_TRUE(items[3].flags & platform::kMenuSeparator);
    EXPECT_EQ(items[4].text, "plum");
    EXPECT_TRUE(items[4].flags & platform::kMenuGrayed);
    EXPECT_NE(items[5].id, 0u);
}

TEST_F(PopupMenuOpeningTest, ChoosingMakesTheEntryCurrentAndTellsTheListener) {
    PopupMenu* m = menu();
    headless::queueMenuChoice({5});
    click();
    EXPECT_EQ(m->getCurrent(), 5);
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.controls[0], m);
    EXPECT_EQ(log.values[0], 5.0f);
    EXPECT_NE(log.contexts[0], nullptr);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_TRUE(m->isDirty());
}

TEST_F(PopupMenuOpeningTest, DismissingChangesNothing) {
    PopupMenu* m = menu();
    m->setCurrent(2);
    headless::queueMenuDismissal();
    click();
    EXPECT_EQ(m->getCurrent(), 2);
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    // Greyed entries and titles cannot be chosen either.
    headless::queueMenuChoice({4});
    click();
    headless::queueMenuChoice({0});
    click();
    EXPECT_EQ(m->getCurrent(), 2);
    EXPECT_EQ(log.count(), 0);
}

TEST_F(PopupMenuOpeningTest, ASubMenuChoiceGoesToTheSubMenu) {
    PopupMenu* m = menu();
    auto* sub = new PopupMenu(kBox, nullptr, 0);
    sub->addEntry("red");
    sub->addEntry("green");
    m->addEntry(sub, "Colours");
    m->setCurrent(2);
    headless::queueMenuChoice({6, 1});
    click();
    ASSERT_EQ(opened().items.size(), 7u);
    EXPECT_TRUE(opened().items[6].flags & platform::kMenuPopup);
    EXPECT_EQ(opened().items[6].text, "Colours");
    ASSERT_EQ(opened().items[6].subItems.size(), 2u);
    EXPECT_EQ(sub->getCurrent(), 1);
    EXPECT_EQ(m->getCurrent(), 2);
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.controls[0], sub);
    sub->release();
}

TEST_F(PopupMenuOpeningTest, CheckStatesFollowTheEntriesWithTheirStyle) {
    PopupMenu* m = menu(styleCheckEachEntry);
    m->checkEntry(2, true);
    m->checkEntry(5, true);
    click();
    EXPECT_FALSE(opened().items[1].flags & platform::kMenuChecked);
    EXPECT_TRUE(opened().items[2].flags & platform::kMenuChecked);
    EXPECT_TRUE(opened().items[5].flags & platform::kMenuChecked);
    // Choosing flips the chosen entry's check.
    headless::queueMenuChoice({5});
    click();
    EXPECT_FALSE(m->isCheckEntry(5));
}

TEST_F(PopupMenuOpeningTest, ColumnsBreakEveryNEntriesInShortMenus) {
    PopupMenu* m = add(new PopupMenu(kBox, &log, 0));
    for (int i = 0; i < 7; ++i)
        m->addEntry(std::to_string(i).c_str());
    m->setEntriesPerColumn(3);
    click();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((opened().items[static_cast<std::size_t>(i)].flags & platform::kMenuBarBreak) !=
                      0,
                  i == 3 || i == 6)
            << i;
    for (int i = 7; i < 160; ++i)
        m->addEntry(std::to_string(i).c_str());
    click();
    for (const auto& item : opened().items)
        EXPECT_FALSE(item.flags & platform::kMenuBarBreak);
}

TEST_F(PopupMenuOpeningTest, OwnerDrawnEntriesAreMeasuredAndDrawnByTheStyle) {
    PopupMenu* m = menu(styleCheckCurrent);
    auto* style = new PopupMenuStyle();
    m->setMenuStyle(style);
    EXPECT_EQ(style->getRefCount(), 2);
    style->release();
    headless::queueMenuChoice({2});
    click();
    const auto& items = opened().items;
    for (const auto& item : items)
        EXPECT_TRUE(item.flags & platform::kMenuOwnerDraw);
    EXPECT_EQ(items[3].width, 6);
    EXPECT_EQ(items[3].height, 18);
    EXPECT_GT(items[1].width, 18);
    EXPECT_EQ(items[1].height, 18);
    EXPECT_TRUE(items[3].flags & platform::kMenuDisabled);
    // Item 2 was drawn selected, the others on the menu colour.
    const raster::Surface& picture = *headless::lastMenuPicture();
    const platform::ColorValue highlight = platform::systemColor(platform::kColorHighlight);
    const platform::ColorValue plain = platform::systemColor(platform::kColorMenu);
    EXPECT_EQ(picture.get(1, 2 * 18 + 1), highlight);
    EXPECT_EQ(picture.get(1, 1 * 18 + 1), plain);
    // The current entry carries the check square.
    EXPECT_EQ(picture.get(8, 18 + 6), platform::systemColor(platform::kColorMenuText));
    // The title is drawn disabled, though the system reports it only as not choosable.
    const platform::ColorValue grey = platform::systemColor(platform::kColorGrayText);
    int greyInTitle = 0, inkInTitle = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 18; x < picture.width(); ++x) {
            greyInTitle += picture.get(x, y) == grey;
            inkInTitle += picture.get(x, y) == platform::systemColor(platform::kColorMenuText);
        }
    EXPECT_GT(greyInTitle, 0);
    EXPECT_EQ(inkInTitle, 0);
    EXPECT_EQ(m->getCurrent(), 2);
}

TEST_F(PopupMenuOpeningTest, OwnerDrawnItemsOfAnotherViewAreLeftToTheSystem) {
    PopupMenu* m = menu();
    auto* style = new PopupMenuStyle();
    m->setMenuStyle(style);
    style->release();
    // Not opened: the menu knows no items, even with its style.
    int width = -1, height = -1;
    const char text[] = "apple";
    EXPECT_FALSE(
        m->measureMenuItem(nullptr, reinterpret_cast<std::uintptr_t>(text), 1, width, height));
    EXPECT_EQ(width, -1);
}

TEST_F(PopupMenuOpeningTest, ClickedBackgroundShowsWhileOpenAndTheFaceIsRedrawnAfter) {
    auto* clicked = new Bitmap(200, 100);
    auto* m = add(new PopupMenu(kBox, &log, 0, nullptr, clicked, 0));
    clicked->release();
    m->addEntry("one");
    frame->drawView(m);
    headless::queueMenuDismissal();
    click();
    EXPECT_TRUE(m->isDirty());
    EXPECT_EQ(log.count(), 0);
}

TEST_F(PopupMenuOpeningTest, EmptyOrDetachedMenusOpenSafely) {
    auto* empty = add(new PopupMenu(kBox, &log, 0));
    headless::queueMenuChoice({0});
    click();
    EXPECT_EQ(headless::menusOpened(), 1);
    EXPECT_TRUE(opened().items.empty());
    EXPECT_EQ(empty->getCurrent(), -1);
    EXPECT_EQ(log.count(), 0);

    auto* detached = new PopupMenu(kBox, &log, 0);
    detached->addEntry("x");
    detached->takeFocus(nullptr);
    Point where(25, 35);
    detached->onMouseDown(nullptr, where);
    EXPECT_EQ(headless::menusOpened(), 1);
    detached->release();
}

} // namespace
