// PopupMenu's entries: adding and inserting, the limits, numbering, the
// current entry through insertions and removals, separators, check states
// and sub-menus with their references.
#include <cmath>
#include <cstring>
#include <string>

#include "controls_test.h"
#include "gui/controls/popup_menu.h"
#include "gui/controls/text_field.h"

namespace {

const Rect kBox(20, 30, 140, 48);

class PopupMenuTest : public ControlsTest {
protected:
    PopupMenu* menu(int style = 0) {
        return add(new PopupMenu(kBox, &log, 3, nullptr, nullptr, style));
    }
    static std::string entry(PopupMenu* m, int index) {
        char text[kDisplayTextSize] = "?";
        return m->getEntry(index, text) ? text : "<none>";
    }
    // The pixels of the control's box, as text.
    std::string face() const {
        std::string s;
        for (int y = kBox.top; y <= kBox.bottom; ++y)
            for (int x = kBox.left; x <= kBox.right; ++x)
                s += std::to_string(at(x, y)) + ",";
        return s;
    }
    static std::string current(PopupMenu* m) {
        char text[kDisplayTextSize] = "?";
        m->getCurrent(text);
        return text;
    }
};

TEST_F(PopupMenuTest, EntriesAreAppendedOrInserted) {
    PopupMenu* m = menu();
    EXPECT_TRUE(m->addEntry("b"));
    EXPECT_TRUE(m->addEntry("d"));
    EXPECT_TRUE(m->addEntry("a", 0));
    EXPECT_TRUE(m->addEntry("c", 2));
    EXPECT_TRUE(m->addEntry("e", 99)); // past the end: appended
    ASSERT_EQ(m->getEntryCount(), 5);
    EXPECT_EQ(entry(m, 0) + entry(m, 1) + entry(m, 2) + entry(m, 3) + entry(m, 4), "abcde");
    EXPECT_EQ(entry(m, 5), "<none>");
    EXPECT_EQ(entry(m, -1), "<none>");
    EXPECT_EQ(m->getIndex("c"), 2);
    EXPECT_EQ(m->getIndex("x"), -1);
    EXPECT_EQ(m->getIndex(nullptr), -1);
    EXPECT_TRUE(m->setEntry(4, "E"));
    EXPECT_EQ(entry(m, 4), "E");
    EXPECT_FALSE(m->setEntry(5, "F"));
    EXPECT_FALSE(m->setEntry(0, nullptr));
}

TEST_F(PopupMenuTest, The1025thEntryIsRefused) {
    PopupMenu* m = menu();
    for (int i = 0; i < kMaxMenuEntries; ++i)
        ASSERT_TRUE(m->addEntry(std::to_string(i).c_str())) << i;
    EXPECT_FALSE(m->addEntry("one too many"));
    EXPECT_FALSE(m->addEntry("inserted", 0));
    auto* sub = new PopupMenu(kBox, nullptr, 0);
    EXPECT_FALSE(m->addEntry(sub, "sub"));
    EXPECT_EQ(sub->getRefCount(), 1);
    sub->release();
    EXPECT_EQ(m->getEntryCount(), kMaxMenuEntries);
    EXPECT_EQ(entry(m, 1023), "1023");
}

TEST_F(PopupMenuTest, LongTextsAreCutAndNullTextsRefused) {
    PopupMenu* m = menu();
    const std::string longText(400, 'w');
    EXPECT_TRUE(m->addEntry(longText.c_str()));
    EXPECT_EQ(entry(m, 0), std::string(255, 'w'));
    EXPECT_TRUE(m->setEntry(0, longText.c_str()));
    EXPECT_EQ(entry(m, 0).size(), 255u);
    EXPECT_FALSE(m->addEntry(static_cast<const char*>(nullptr)));
    EXPECT_EQ(m->getEntryCount(), 1);
    m->setNumbering(numberingThreeDigits);
    EXPECT_TRUE(m->addEntry(longText.c_str()));
    EXPECT_EQ(entry(m, 1), "002 " + std::string(251, 'w'));
}

TEST_F(PopupMenuTest, NumberingPutsThePositionInFront) {
    PopupMenu* m = menu();
    m->setNumbering(numberingPlain);
    m->addEntry("one");
    m->setNumbering(numberingTwoDigits);
    m->addEntry("two");
    m->setNumbering(numberingThreeDigits);
    m->addEntry("three");
    m->addEntry("first", 0); // an insertion is numbered by its index
    EXPECT_EQ(entry(m, 0), "001 first");
    EXPECT_EQ(entry(m, 1), "1 one");
    EXPECT_EQ(entry(m, 2), "02 two");
    EXPECT_EQ(entry(m, 3), "003 three");
    // Separators stay separators; markers stay in front.
    m->addEntry("-");
    m->addEntry("-TTitle");
    auto* sub = new PopupMenu(kBox, nullptr, 0);
    m->addEntry(sub, "Sub");
    sub->release();
    EXPECT_EQ(entry(m, 4), "-");
    EXPECT_EQ(entry(m, 5), "-T006 Title");
    EXPECT_EQ(entry(m, 6), "-M007 Sub");
    m->setNumbering(numberingNone);
    auto* plain = new PopupMenu(kBox, nullptr, 0);
    m->addEntry(plain, "Plain");
    plain->release();
    EXPECT_EQ(entry(m, 7), "-MPlain");
}

TEST_F(PopupMenuTest, FaceShowsTheCurrentEntryWithoutItsNumber) {
    PopupMenu* m = menu();
    m->setFillColor(colorBlue);
    m->setNumbering(numberingPlain);
    m->addEntry("Alpha");
    frame->drawView(m);
    const std::string numbered = face();
    frame->removeView(m);
    auto* same = add(new TextField(kBox, nullptr, 0, "Alpha"));
    same->setFillColor(colorBlue);
    frame->drawView(same);
    EXPECT_EQ(face(), numbered);
}

TEST_F(PopupMenuTest, FirstEntryOfANewMenuIsCurrentAndFollowsInsertions) {
    PopupMenu* m = menu();
    EXPECT_EQ(m->getCurrent(), -1);
    m->addEntry("b");
    EXPECT_EQ(m->getCurrent(), 0);
    m->addEntry("a", 0);
    EXPECT_EQ(m->getCurrent(), 1);
    EXPECT_EQ(current(m), "b");
    m->addEntry("c");
    EXPECT_EQ(m->getCurrent(), 1);
    m->addEntry("b2", 1); // at the current index: the current entry moves down
    EXPECT_EQ(current(m), "b");
}

TEST_F(PopupMenuTest, CurrentEntryFollowsRemovals) {
    PopupMenu* m = menu();
    for (const char* t : {"a", "b", "c", "d"})
        m->addEntry(t);
    m->setCurrent(2);
    m->removeEntry(0);
    EXPECT_EQ(current(m), "c");
    EXPECT_EQ(m->getCurrent(), 1);
    m->removeEntry(3); // no such entry
    EXPECT_EQ(m->getEntryCount(), 3);
    m->removeEntry(1); // the current one: the next takes its place
    EXPECT_EQ(current(m), "d");
    m->removeEntry(1); // the last one: the new last becomes current
    EXPECT_EQ(current(m), "b");
    m->removeEntry(0);
    EXPECT_EQ(m->getCurrent(), -1);
    EXPECT_EQ(m->getEntryCount(), 0);
    m->addEntry("again"); // an emptied menu stays without a current entry
    EXPECT_EQ(m->getCurrent(), -1);
}

TEST_F(PopupMenuTest, SeparatorsNeverBecomeCurrent) {
    PopupMenu* m = menu();
    m->addEntry("a");
    m->addEntry("-");
    m->addEntry("b");
    EXPECT_FALSE(m->setCurrent(1));
    EXPECT_EQ(m->getCurrent(), 0);
    m->setValue(1.0f);
    EXPECT_EQ(m->getCurrent(), 0);
    m->setCurrent(0);
    m->removeEntry(0); // the separator would take the current place
    EXPECT_EQ(m->getCurrent(), -1);
    auto* leading = menu();
    leading->addEntry("-");
    leading->addEntry("x");
    EXPECT_EQ(leading->getCurrent(), -1);
}

TEST_F(PopupMenuTest, CountingWithoutSeparatorsAndTitles) {
    PopupMenu* m = menu();
    for (const char* t : {"-TFruit", "apple", "-", "pear", "-TVeg", "leek"})
        m->addEntry(t);
    EXPECT_TRUE(m->setCurrent(2, false));
    EXPECT_EQ(current(m), "leek");
    EXPECT_EQ(m->getCurrent(nullptr, true), 5);
    EXPECT_EQ(m->getCurrent(nullptr, false), 2);
    EXPECT_FALSE(m->setCurrent(3, false));
    EXPECT_TRUE(m->setCurrent(0)); // a title may be current when named by index
    EXPECT_EQ(m->getCurrent(nullptr, false), 0);
}

TEST_F(PopupMenuTest, SetValueTakesAValidIndexAndMarksTheMenuDirty) {
    PopupMenu* m = menu();
    for (const char* t : {"a", "b", "c"})
        m->addEntry(t);
    frame->drawView(m);
    m->setValue(2.7f);
    EXPECT_EQ(m->getCurrent(), 2);
    EXPECT_TRUE(m->isDirty());
    for (float bad : {-1.0f, 3.0f, 1e9f, std::nanf("")})
        m->setValue(bad);
    EXPECT_EQ(m->getCurrent(), 2);
    EXPECT_FALSE(m->isCheckEntry(2));
}

TEST_F(PopupMenuTest, CheckStates) {
    PopupMenu* m = menu(styleCheckEachEntry);
    for (const char* t : {"a", "b", "c"})
        m->addEntry(t);
    m->setValue(1.0f); // flips the entry's check
    EXPECT_TRUE(m->isCheckEntry(1));
    m->setValue(1.0f);
    EXPECT_FALSE(m->isCheckEntry(1));
    EXPECT_TRUE(m->checkEntry(0, true));
    EXPECT_TRUE(m->checkEntry(2, true));
    EXPECT_TRUE(m->checkEntryAlone(1));
    EXPECT_FALSE(m->isCheckEntry(0));
    EXPECT_TRUE(m->isCheckEntry(1));
    EXPECT_FALSE(m->isCheckEntry(2));
    EXPECT_FALSE(m->checkEntry(3, true));
    EXPECT_FALSE(m->checkEntryAlone(-1));
    EXPECT_FALSE(m->isCheckEntry(99));
}

TEST_F(PopupMenuTest, SubMenusAreHeldWhileTheirEntryLives) {
    PopupMenu* m = menu();
    auto* sub = new PopupMenu(kBox, nullptr, 0);
    auto* other = new PopupMenu(kBox, nullptr, 0);
    EXPECT_TRUE(m->addEntry(sub, "Sub"));
    EXPECT_TRUE(m->addEntry(other, nullptr));
    EXPECT_EQ(sub->getRefCount(), 2);
    EXPECT_EQ(m->getSubMenu(0), sub);
    EXPECT_EQ(m->getSubMenu(5), nullptr);
    EXPECT_EQ(entry(m, 0), "-MSub");
    EXPECT_EQ(entry(m, 1), "-M");
    m->removeEntry(0);
    EXPECT_EQ(sub->getRefCount(), 1);
    m->addEntry(sub, "again");
    m->removeAllEntries();
    EXPECT_EQ(sub->getRefCount(), 1);
    EXPECT_EQ(other->getRefCount(), 1);
    m->addEntry(other, "kept");
    frame->removeView(m, true); // the menu goes and lets go of its sub-menus
    EXPECT_EQ(other->getRefCount(), 1);
    sub->release();
    other->release();
}

TEST_F(PopupMenuTest, MenusCannotOpenThemselves) {
    PopupMenu* m = menu();
    auto* sub = new PopupMenu(kBox, nullptr, 0);
    EXPECT_FALSE(m->addEntry(m, "self"));
    EXPECT_TRUE(m->addEntry(sub, "sub"));
    EXPECT_FALSE(sub->addEntry(m, "back"));
    auto* deeper = new PopupMenu(kBox, nullptr, 0);
    EXPECT_TRUE(sub->addEntry(deeper, "deeper"));
    EXPECT_FALSE(deeper->addEntry(m, "round"));
    EXPECT_FALSE(m->addEntry(static_cast<PopupMenu*>(nullptr), "none"));
    deeper->release();
    sub->release();
}

} // namespace
