// The control gallery in a real X11 window, its pop-up menu and its text
// field driven by real pointer and key input through the X server: the
// menu's own windows and loop, the edit box with the keyboard focus, and
// nothing of either left behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "gallery.h"
#include "gallery_resources.h"
#include "gui/controls/popup_menu.h"
#include "gui/controls/text_field.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "platform/system.h"
#include "platform/x11/x11.h"
#include "real_input.h"
#include "server_state.h"

namespace {

// The host's window, and with it the gallery's, sits at this screen corner.
constexpr int kScreenX = 40;
constexpr int kScreenY = 30;
// Every entry of the gallery's menu is drawn this high by its style.
constexpr int kEntryHeight = 18;
// The menu's entries: a title, three waveforms, a separator, a sub-menu.
constexpr int kSine = 1;
constexpr int kTriangle = 2;
constexpr int kSquare = 3;
constexpr int kNoise = 5;
const std::string kPause = "0.3";

// A view that counts the presses reaching it with the left button down and
// those a second press within the double-click time followed.
class DoubleClickProbe : public View {
public:
    explicit DoubleClickProbe(const Rect& area) : View(area) {}
    void onMouseDown(DrawContext* context, Point&) override {
        if (!(context->getMouseButtons() & kLButton))
            return;
        ++presses;
        if (context->waitDoubleClick())
            ++doubleClicks;
    }
    int presses = 0;
    int doubleClicks = 0;
};

class X11GalleryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(loadGalleryPictures(TARVEL_GALLERY_RC)); }
    void SetUp() override {
        host = x11::createHostWindow(kScreenX, kScreenY, Gallery::kWidth, Gallery::kHeight);
        ASSERT_NE(host, nullptr) << "no X display";
        gallery = std::make_unique<Gallery>(host);
        ASSERT_NE(gallery->getFrame()->getWindow(), nullptr);
        // Mapped, exposed and painted before any input.
        ASSERT_TRUE(playInput({"mousemove", "900", "700", "sleep", "0.2"}, [this] { pump(); }));
    }
    // Whatever the test opened, nothing of the backend is left on the
    // server once the gallery has closed.
    void TearDown() override {
        gallery.reset();
        if (host)
            x11::destroyHostWindow(host);
        EXPECT_EQ(x11::liveWindowCount(), 0);
        EXPECT_EQ(x11::liveGraphicsContextCount(), 0);
        EXPECT_EQ(x11::liveCursorCount(), 0);
        EXPECT_FALSE(x11::connected());
    }

    // What a host's loop does: the window's events, then the frame's idle.
    void pump() {
        x11::processEvents();
        gallery->getFrame()->idle();
    }
    // xdotool's words for the middle of a view, on the screen.
    static std::vector<std::string> middleOf(View* view) {
        Rect r;
        view->getBounds(r);
        return {std::to_string(kScreenX + (r.left + r.right) / 2),
                std::to_string(kScreenY + (r.top + r.bottom) / 2)};
    }
    // The middle of a menu entry: the menu opens below the control.
    std::vector<std::string> entry(int index) {
        Rect r;
        gallery->getMenu()->getBounds(r);
        return {std::to_string(kScreenX + r.left + 20),
                std::to_string(kScreenY + r.bottom + index * kEntryHeight + kEntryHeight / 2)};
    }
    // A click on the view, then the rest.
    bool clickThen(View* view, std::initializer_list<std::string> rest) {
        // The button stays down a while: the control asks the server for
        // it when the press reaches it.
        const std::vector<std::string> at = middleOf(view);
        std::vector<std::string> steps{"mousemove", at[0],   at[1],   "sleep", "0.1",
                                       "mousedown", "1",     "sleep", "0.2",   "mouseup",
                                       "1",         "sleep", kPause};
        steps.insert(steps.end(), rest);
        return playInput(steps, [this] { pump(); });
    }
    // A quick click (press and release at once) on the view, over before
    // the gallery handles any event, then the rest played while it does.
    bool quickClickThen(View* view, std::initializer_list<std::string> rest) {
        const std::vector<std::string> at = middleOf(view);
        return playInputBeforeHandling(
            {"mousemove", at[0], at[1], "mousedown", "1", "mouseup", "1"}, [this] { pump(); },
            rest);
    }
    // xdotool types every word after "type": typing ends a step list.
    bool type(const std::string& text) {
        return playInput({"type", text}, [this] { pump(); });
    }
    bool keys(std::initializer_list<std::string> names) {
        std::vector<std::string> steps{"key"};
        steps.insert(steps.end(), names);
        return playInput(steps, [this] { pump(); });
    }
    std::string fieldText() {
        char text[256] = {};
        gallery->getTextField()->getText(text);
        return text;
    }

    platform::Window host = nullptr;
    std::unique_ptr<Gallery> gallery;
};

// While the menu is open its two windows count with the frame's; after it
// closes only the frame's is left.
constexpr int kFrameOnly = 1;

TEST_F(X11GalleryTest, AClickOnAnEntryChoosesIt) {
    PopupMenu* menu = gallery->getMenu();
    ASSERT_EQ(menu->getValue(), kTriangle);
    const std::vector<std::string> square = entry(kSquare);
    ASSERT_TRUE(
        clickThen(menu, {"mousemove", square[0], square[1], "sleep", kPause, "click", "1"}));
    EXPECT_EQ(menu->getValue(), kSquare);
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

// A click quick enough to be over before the gallery handles its press
// opens the menu, and a quick click on an entry chooses it.
TEST_F(X11GalleryTest, QuickClicksOpenTheMenuAndChooseAnEntry) {
    PopupMenu* menu = gallery->getMenu();
    const std::vector<std::string> square = entry(kSquare);
    ASSERT_TRUE(quickClickThen(menu, {"sleep", kPause, "mousemove", square[0], square[1], "sleep",
                                      kPause, "mousedown", "1", "mouseup", "1"}));
    EXPECT_EQ(menu->getValue(), kSquare);
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

TEST_F(X11GalleryTest, ArrowKeysAndEnterChooseAnEntryAndOneInTheSubMenu) {
    PopupMenu* menu = gallery->getMenu();
    // Down from nothing selected: the first entry that can be chosen (the
    // title cannot).
    ASSERT_TRUE(clickThen(menu, {"key", "Down", "sleep", "0.1", "key", "Return"}));
    EXPECT_EQ(menu->getValue(), kSine);

    // Up from nothing: the last entry, the sub-menu; Right opens it on its
    // first entry, Down moves to the second.
    ASSERT_TRUE(clickThen(menu, {"key", "Up", "sleep", "0.1", "key", "Right", "sleep", "0.1", "key",
                                 "Down", "sleep", "0.1", "key", "Return"}));
    EXPECT_EQ(menu->getValue(), kSine);
    EXPECT_EQ(menu->getSubMenu(kNoise)->getCurrent(), 1);
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

TEST_F(X11GalleryTest, EscapeAndAClickOutsideDismissTheMenu) {
    PopupMenu* menu = gallery->getMenu();
    const std::vector<std::string> sine = entry(kSine);
    // Hovering selects without choosing; Escape closes the menu.
    ASSERT_TRUE(clickThen(menu, {"mousemove", sine[0], sine[1], "sleep", kPause, "key", "Escape"}));
    EXPECT_EQ(menu->getValue(), kTriangle);
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);

    // Escape in the sub-menu closes only it; the menu stays for the click outside.
    ASSERT_TRUE(clickThen(menu, {"key", "Up", "sleep", "0.1", "key", "Right", "sleep", "0.1", "key",
                                 "Escape", "sleep", "0.1", "mousemove", "900", "700", "sleep",
                                 "0.1", "click", "1"}));
    EXPECT_EQ(menu->getValue(), kTriangle);
    EXPECT_EQ(menu->getSubMenu(kNoise)->getCurrent(), 0);
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

TEST_F(X11GalleryTest, TypedTextReplacesTheSelectionAndEnterCommitsIt) {
    TextField* field = gallery->getTextField();
    ASSERT_TRUE(clickThen(field, {}));
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly + 1) << "no edit box";
    ASSERT_TRUE(type("Hello"));
    EXPECT_EQ(fieldText(), "Tarvel") << "committed before Enter";
    ASSERT_TRUE(keys({"Return"}));
    EXPECT_EQ(fieldText(), "Hello");
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

TEST_F(X11GalleryTest, AQuickClickOpensTheEditBox) {
    ASSERT_TRUE(quickClickThen(gallery->getTextField(), {}));
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly + 1) << "no edit box";
    ASSERT_TRUE(type("Hi"));
    ASSERT_TRUE(keys({"Return"}));
    EXPECT_EQ(fieldText(), "Hi");
}

// Two quick clicks in a row, both over before the first press is handled:
// the first press is handled and the second taken as its double click
// when the server's times of the two are close enough.
TEST_F(X11GalleryTest, TwoQuickClicksMakeADoubleClick) {
    auto* probe = new DoubleClickProbe(Rect(0, 0, 20, 20)); // the frame owns it
    gallery->getFrame()->addView(probe);
    ASSERT_TRUE(playInputBeforeHandling({"mousemove", std::to_string(kScreenX + 10),
                                         std::to_string(kScreenY + 10), "mousedown", "1", "mouseup",
                                         "1", "mousedown", "1", "mouseup", "1"},
                                        [this] { pump(); }));
    EXPECT_EQ(probe->presses, 1);
    EXPECT_EQ(probe->doubleClicks, 1);

    // Further apart than the double-click time, though handled at once: two clicks.
    ASSERT_TRUE(playInputBeforeHandling(
        {"mousedown", "1", "mouseup", "1", "sleep", "0.6", "mousedown", "1", "mouseup", "1"},
        [this] { pump(); }));
    EXPECT_EQ(probe->presses, 3);
    EXPECT_EQ(probe->doubleClicks, 1);
}

TEST_F(X11GalleryTest, EscapeCancelsTheTyping) {
    TextField* field = gallery->getTextField();
    ASSERT_TRUE(clickThen(field, {}));
    ASSERT_TRUE(type("Hello"));
    ASSERT_TRUE(keys({"Escape"}));
    EXPECT_EQ(fieldText(), "Tarvel");
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
}

TEST_F(X11GalleryTest, CaretKeysEditInPlace) {
    TextField* field = gallery->getTextField();
    // End leaves the text whole: "Tarvel!"; Home, Delete: "arvel!"; Right,
    // BackSpace: "rvel!".
    ASSERT_TRUE(clickThen(field, {"key", "End"}));
    ASSERT_TRUE(type("!"));
    ASSERT_TRUE(keys({"Home", "Delete", "Right", "BackSpace", "Return"}));
    EXPECT_EQ(fieldText(), "rvel!");
    // Shift+End selects from the caret to the end: "r" and what is typed.
    ASSERT_TRUE(clickThen(field, {"key", "Home", "Right", "shift+End"}));
    ASSERT_TRUE(type("x"));
    ASSERT_TRUE(keys({"Return"}));
    EXPECT_EQ(fieldText(), "rx");
}

// A press in the box puts the caret at the nearest character boundary.
TEST_F(X11GalleryTest, APressInTheBoxPlacesTheCaret) {
    TextField* field = gallery->getTextField();
    ASSERT_TRUE(clickThen(field, {}));
    Rect r;
    field->getBounds(r);
    ASSERT_TRUE(
        playInput({"mousemove", std::to_string(kScreenX + r.left + 1),
                   std::to_string(kScreenY + (r.top + r.bottom) / 2), "sleep", "0.1", "click", "1"},
                  [this] { pump(); }));
    ASSERT_TRUE(type("X"));
    ASSERT_TRUE(keys({"Return"}));
    EXPECT_EQ(fieldText(), "XTarvel");
}

// A press elsewhere in the gallery takes the focus from the field: the
// typing is kept, and the keyboard focus goes back where it was.
TEST_F(X11GalleryTest, LosingTheFocusCommitsAndGivesTheFocusBack) {
    const std::uint32_t before = keyboardFocus();
    TextField* field = gallery->getTextField();
    ASSERT_TRUE(clickThen(field, {}));
    EXPECT_NE(keyboardFocus(), before) << "the box took no focus";
    ASSERT_TRUE(type("Abc"));
    ASSERT_TRUE(playInput({"mousemove", std::to_string(kScreenX + 5), std::to_string(kScreenY + 5),
                           "sleep", "0.1", "click", "1"},
                          [this] { pump(); }));
    EXPECT_EQ(fieldText(), "Abc");
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly);
    EXPECT_EQ(keyboardFocus(), before);
}

// The gallery closes with the box open: the box goes with its window, and
// the focus goes back.
TEST_F(X11GalleryTest, ClosingWithTheEditBoxOpenGivesTheFocusBack) {
    const std::uint32_t before = keyboardFocus();
    ASSERT_TRUE(clickThen(gallery->getTextField(), {}));
    ASSERT_TRUE(type("Abc"));
    EXPECT_EQ(x11::liveWindowCount(), kFrameOnly + 1) << "no edit box";
    gallery.reset();
    EXPECT_EQ(keyboardFocus(), before);
}

// The server's resources (as xrdb loads them) set the double-click time.
class X11DoubleClickTimeTest : public X11GalleryTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadServerResources("*multiClickTime:\t321\n")) << "no X display";
        X11GalleryTest::SetUp();
    }
    void TearDown() override {
        X11GalleryTest::TearDown();
        removeServerResources();
    }
};

TEST_F(X11DoubleClickTimeTest, MultiClickTimeFromTheServersResourcesIsTheDoubleClickTime) {
    EXPECT_EQ(platform::doubleClickTime(), 321u);
    EXPECT_EQ(gallery->getTextField()->getDoubleClickTime(), 321);
    // Without the setting, on the next connection: the usual 400 ms.
    TearDown();
    X11GalleryTest::SetUp();
    EXPECT_EQ(platform::doubleClickTime(), 400u);
}

} // namespace
