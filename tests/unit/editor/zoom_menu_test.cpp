// The zoom menu of the editor as a user reaches it: a right click on the
// panel outside the sliders, the entries ticked as the preference says, a
// choice saved and taken by this editor and read by every editor opened
// after it; and the display's scale, at open and when it changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/panel_layout.h"
#include "editor/tarvel_editor.h"
#include "editor/zoom_menu.h"
#include "effect/tarvel_effect.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "gui/mouse_script.h"
#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"
#include "settings_folder.h"

namespace {

constexpr int kScreenX = 100;
constexpr int kScreenY = 50;
// Outside both sliders: above the upper one, and between the two.
constexpr int kFieldX = 130;
constexpr int kFieldY = 20;
constexpr int kGapY = 70;

enum Entry { k100, k125, k150, k200, k300, kFollow };

// One plug-in with its editor in a host's window, the way a host opens it.
struct EditorInHost {
    EditorInHost() {
        new TarvelEditor(&effect); // the effect owns it
        host.attach(effect.getAeffect());
        parent = headless::createWindow(kScreenX, kScreenY, 400, 300);
    }
    ~EditorInHost() {
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        headless::destroyWindow(parent);
    }
    bool open() { return effect.dispatcher(effEditOpen, 0, 0, parent, 0.0f) == 1; }
    TarvelEditor* editor() { return dynamic_cast<TarvelEditor*>(effect.editorOf()); }

    // A press of `buttons` at panel (x, y) with the menu answered by
    // choosing `entry` (none: dismissed), as the user would.
    void click(int x, int y, int buttons, int entry = -1) {
        if (entry >= 0)
            headless::queueMenuChoice({entry});
        else
            headless::queueMenuDismissal();
        MouseScript script(Point(kScreenX, kScreenY), {{x, y, buttons}, {x, y, 0}});
        headless::postButtonDown(editor()->getFrame()->getWindow(), x, y, buttons == kLButton);
        headless::dispatchMessages();
        // The answer of a menu that did not open is not left for the next one.
        headless::clearMenuAnswers();
    }
    void rightClick(int entry = -1) { click(kFieldX, kFieldY, kRButton, entry); }

    PluginHost host;
    TarvelEffect effect{PluginHost::callback()};
    platform::Window parent;
};

class ZoomMenuTest : public ::testing::Test {
protected:
    ZoomMenuTest() { headless::resetInput(); }
    ~ZoomMenuTest() override { headless::resetInput(); }
    // What the last menu opened showed: each entry's text, ticked ones marked.
    static std::vector<std::string> shownEntries() {
        std::vector<std::string> shown;
        const headless::OpenedMenuInfo* menu = headless::lastOpenedMenu();
        if (!menu)
            return shown;
        for (const auto& item : menu->items)
            shown.push_back(((item.flags & platform::kMenuChecked) ? "[x] " : "[ ] ") + item.text);
        return shown;
    }

    SettingsFolder folder;
    EditorInHost first;
};

TEST_F(ZoomMenuTest, ARightClickOutsideTheSlidersOpensItAtThePointer) {
    ASSERT_TRUE(first.open());
    const int before = headless::menusOpened();
    first.rightClick();
    ASSERT_EQ(headless::menusOpened(), before + 1);
    const headless::OpenedMenuInfo* menu = headless::lastOpenedMenu();
    EXPECT_EQ(menu->x, kScreenX + kFieldX);
    EXPECT_EQ(menu->y, kScreenY + kFieldY);
    EXPECT_TRUE(menu->rightButton);
    EXPECT_EQ(shownEntries(), (std::vector<std::string>{
                                  "[x] Zoom: 100 %",
                                  "[ ] Zoom: 125 %",
                                  "[ ] Zoom: 150 %",
                                  "[ ] Zoom: 200 %",
                                  "[ ] Zoom: 300 %",
                                  "[x] Follow the display",
                              }));
    // Between the sliders too; a dismissed menu changes nothing and saves nothing.
    first.click(kFieldX, kGapY, kRButton);
    EXPECT_EQ(headless::menusOpened(), before + 2);
    EXPECT_EQ(first.editor()->getZoomPreference(), ZoomPreference{});
    EXPECT_EQ(folder.preferenceText(), "");
}

TEST_F(ZoomMenuTest, TheSlidersAndTheLeftButtonNeverOpenIt) {
    ASSERT_TRUE(first.open());
    const float upper = first.editor()->getNcvolumeSlider()->getValue();
    const int before = headless::menusOpened();
    // A right click on a slider stays the slider's; a left click beside
    // them does what it always did: nothing.
    first.click(panel_layout::kSliderLeft + 40, panel_layout::kNcvolumeTop + 7, kRButton, k200);
    first.click(panel_layout::kSliderLeft + 40, panel_layout::kIpvolumeTop + 7, kRButton, k200);
    first.click(kFieldX, kFieldY, kLButton, k200);
    EXPECT_EQ(headless::menusOpened(), before);
    EXPECT_EQ(first.editor()->getNcvolumeSlider()->getValue(), upper);
    EXPECT_EQ(first.editor()->getZoomPreference(), ZoomPreference{});
    // The wheel over the field goes on to the host, as before.
    EXPECT_FALSE(headless::sendWheel(first.editor()->getFrame()->getWindow(), 1.0f));
}

TEST_F(ZoomMenuTest, AChoiceIsSavedTakenHereAndReadByTheNextEditorOpened) {
    ASSERT_TRUE(first.open());
    first.rightClick(k200);
    EXPECT_EQ(folder.preferenceText(), "zoom 2\nfollow-display yes\n");
    EXPECT_EQ(first.editor()->getZoomPreference(), (ZoomPreference{2.0, true}));
    EXPECT_EQ(first.editor()->requestedScale(), 2.0);
    // Drawn at it at once, at twice the size.
    EXPECT_EQ(first.editor()->getFrame()->getScale(), 2.0);
    EXPECT_EQ(first.editor()->width(), 536);

    // A second instance, opened after, starts at the choice.
    EditorInHost second;
    ASSERT_TRUE(second.open());
    EXPECT_EQ(second.editor()->getZoomPreference(), (ZoomPreference{2.0, true}));
    second.rightClick();
    EXPECT_EQ(shownEntries()[k200], "[x] Zoom: 200 %");
    EXPECT_EQ(shownEntries()[k100], "[ ] Zoom: 100 %");

    // Following the display turned off, and on again.
    second.rightClick(kFollow);
    EXPECT_EQ(folder.preferenceText(), "zoom 2\nfollow-display no\n");
    second.rightClick();
    EXPECT_EQ(shownEntries()[kFollow], "[ ] Follow the display");
    second.rightClick(kFollow);
    EXPECT_EQ(second.editor()->getZoomPreference(), (ZoomPreference{2.0, true}));
    second.rightClick(k125);
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{1.25, true}));
    // The first editor, open all along, keeps its own until it opens again.
    EXPECT_EQ(first.editor()->getZoomPreference(), (ZoomPreference{2.0, true}));
    first.effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    ASSERT_TRUE(first.open());
    EXPECT_EQ(first.editor()->getZoomPreference(), (ZoomPreference{1.25, true}));
}

TEST_F(ZoomMenuTest, AChoiceThatCannotBeSavedStillAppliesHere) {
    ASSERT_TRUE(first.open());
    setenv("XDG_CONFIG_HOME", (folder.root + "/file/below").c_str(), 1);
    folder.writePreferenceText("x"); // makes the folders the next line needs
    ASSERT_EQ(std::system(("touch '" + folder.root + "/file'").c_str()), 0);
    first.rightClick(k300);
    EXPECT_EQ(first.editor()->getZoomPreference(), (ZoomPreference{3.0, true}));
    EXPECT_EQ(first.editor()->requestedScale(), 3.0);
}

TEST_F(ZoomMenuTest, TheDisplayScaleIsReadAtOpenAndAgainWhenTheWindowSaysItChanged) {
    headless::input().displayScale = 1.5;
    folder.writePreferenceText("zoom 1.25\n");
    ASSERT_TRUE(first.open());
    // 1.5 x 1.25 = 1.875, drawn with the pictures for 2.
    EXPECT_EQ(first.editor()->requestedScale(), 2.0);
    headless::input().displayScale = 1.0;
    EXPECT_EQ(first.editor()->requestedScale(), 2.0); // not asked again by itself
    EXPECT_TRUE(headless::sendDisplayScaleChange(first.editor()->getFrame()->getWindow()));
    EXPECT_EQ(first.editor()->requestedScale(), 1.25);
    EXPECT_EQ(first.editor()->getFrame()->getScale(), 1.25);
    // Not followed: the display's scale no longer counts.
    first.rightClick(kFollow);
    headless::input().displayScale = 2.0;
    EXPECT_TRUE(headless::sendDisplayScaleChange(first.editor()->getFrame()->getWindow()));
    EXPECT_EQ(first.editor()->requestedScale(), 1.25);
}

TEST(ZoomMenuChoices, EachEntryChangesItsOwnPartOfThePreference) {
    const ZoomPreference start{1.5, true};
    EXPECT_EQ(ZoomMenu::afterChoice(start, k100), (ZoomPreference{1.0, true}));
    EXPECT_EQ(ZoomMenu::afterChoice(start, k300), (ZoomPreference{3.0, true}));
    EXPECT_EQ(ZoomMenu::afterChoice(start, kFollow), (ZoomPreference{1.5, false}));
    EXPECT_EQ(ZoomMenu::afterChoice(ZoomMenu::afterChoice(start, kFollow), kFollow), start);
    EXPECT_EQ(ZoomMenu::afterChoice(start, -1), start);
    EXPECT_EQ(ZoomMenu::afterChoice(start, ZoomMenu::kEntryCount), start);
}

} // namespace
