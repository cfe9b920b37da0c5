// The text field's edit box and the pop-up menu on the real window system:
// a second thread clicks and types through SendInput while this thread runs
// the messages, and the controls report what the user did.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/controls/popup_menu.h"
#include "gui/controls/popup_menu_style.h"
#include "gui/controls/text_field.h"
#include "gui/frame.h"
#include "input_script.h"
#include "message_loop.h"

namespace {

class Log : public ControlListener {
public:
    virtual ~Log() = default;
    void valueChanged(DrawContext*, Control* control) override { controls.push_back(control); }
    int count() const { return static_cast<int>(controls.size()); }
    std::vector<Control*> controls;
};

// Counts what the menu asks of its style while it is open.
class CountingStyle : public PopupMenuStyle {
public:
    void getItemSize(DrawContext* context, const char* text, Point& size) override {
        ++measured;
        PopupMenuStyle::getItemSize(context, text, size);
    }
    void drawItem(DrawContext* context, const Rect& r, const char* text, unsigned state) override {
        ++drawn;
        PopupMenuStyle::drawItem(context, r, text, state);
    }
    int measured = 0;
    int drawn = 0;
};

const char kMenuClass[] = "#32768";
const Rect kFieldBox(20, 30, 160, 50);
const Rect kMenuBox(20, 100, 160, 120);

class TextControlsUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        host = openHostWindow("TextControlsHost", "text controls", 420, 260);
        ASSERT_NE(host, nullptr);
        // A second window that can take the keyboard focus away.
        other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 320, 20, 80, 24,
                                host, nullptr, GetModuleHandleA(nullptr), nullptr);
        frame = new Frame(Rect(0, 0, 300, 200), host, nullptr);
        pumpFor(200);
    }
    void TearDown() override {
        delete frame;
        if (IsWindow(host))
            DestroyWindow(host);
        pumpFor(50);
    }

    HWND frameWindow() const { return reinterpret_cast<HWND>(frame->getWindow()); }
    POINT screen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(frameWindow(), &p);
        return p;
    }
    HWND editBox() const { return FindWindowExA(frameWindow(), nullptr, "EDIT", nullptr); }

    TextField* addField(const char* text) {
        auto* field = new TextField(kFieldBox, &log, 1, text);
        field->setFillColor(colorBlue);
        field->setFontColor(colorYellow);
        frame->addView(field);
        return field;
    }
    PopupMenu* addMenu() {
        auto* menu = new PopupMenu(kMenuBox, &log, 2);
        for (const char* t : {"apple", "pear", "fig"})
            menu->addEntry(t);
        frame->addView(menu);
        return menu;
    }
    InputStep clickOn(const Rect& r) const {
        const POINT p = screen(r.left + 10, r.top + 8);
        return InputScript::click(p.x, p.y);
    }

    HWND host = nullptr;
    HWND other = nullptr;
    Frame* frame = nullptr;
    Log log;
};

TEST_F(TextControlsUnderWine, ClickOpensAnEditBoxOverTheField) {
    TextField* field = addField("hello");
    InputScript script({clickOn(kFieldBox)});
    ASSERT_TRUE(pumpUntil([&] { return editBox() != nullptr; })) << "no edit box opened";
    HWND box = editBox();
    EXPECT_EQ(frame->getFocusView(), field);
    RECT r{};
    GetWindowRect(box, &r);
    MapWindowPoints(nullptr, frameWindow(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, kFieldBox.left);
    EXPECT_EQ(r.top, kFieldBox.top);
    EXPECT_EQ(r.right, kFieldBox.right);
    EXPECT_EQ(r.bottom, kFieldBox.bottom);
    char text[64] = "";
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "hello");
    DWORD from = 1, to = 0;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 5u);
    EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 255);
    EXPECT_EQ(SendMessageA(box, EM_GETMARGINS, 0, 0), 0);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_NE(SendMessageA(box, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(GetFocus(), box);
    // Painted in the field's colours through the frame's window.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(box);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
    ReleaseDC(box, dc);
    EXPECT_FALSE(script.missedAWindow());
}

TEST_F(TextControlsUnderWine, TypingAndEnterTakeTheText) {
    TextField* field = addField("hello");
    InputScript script({clickOn(kFieldBox), InputScript::waitFor("EDIT", frameWindow()),
                        InputScript::text("world"), InputScript::key(VK_RETURN)});
    ASSERT_TRUE(pumpUntil([&] { return log.count() > 0; })) << "the listener heard nothing";
    EXPECT_STREQ(field->text(), "world");
    EXPECT_EQ(log.controls[0], field);
    EXPECT_EQ(editBox(), nullptr);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(script.missedAWindow());
}

TEST_F(TextControlsUnderWine, FocusMovingToAnotherWindowClosesTheBox) {
    TextField* field = addField("hello");
    RECT otherRect{};
    GetWindowRect(other, &otherRect);
    InputScript script({clickOn(kFieldBox), InputScript::waitFor("EDIT", frameWindow()),
                        InputScript::text("bye"),
                        InputScript::click(otherRect.left + 10, otherRect.top + 8)});
    ASSERT_TRUE(pumpUntil([&] { return script.finished() && !field->isEditing(); }));
    EXPECT_STREQ(field->text(), "bye");
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(editBox(), nullptr);
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(TextControlsUnderWine, MenuEntryChosenWithTheKeyboard) {
    PopupMenu* menu = addMenu();
    InputScript script({clickOn(kMenuBox), InputScript::waitFor(kMenuClass),
                        InputScript::key(VK_DOWN), InputScript::key(VK_DOWN),
                        InputScript::key(VK_RETURN)});
    ASSERT_TRUE(pumpUntil([&] { return log.count() > 0; })) << "the listener heard nothing";
    EXPECT_EQ(menu->getCurrent(), 1);
    EXPECT_EQ(log.controls[0], menu);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(script.missedAWindow());
}

TEST_F(TextControlsUnderWine, EscapeDismissesTheMenu) {
    PopupMenu* menu = addMenu();
    menu->setCurrent(2);
    InputScript script({clickOn(kMenuBox), InputScript::waitFor(kMenuClass),
                        InputScript::key(VK_DOWN), InputScript::key(VK_ESCAPE)});
    ASSERT_TRUE(pumpUntil([&] { return script.finished() && !FindWindowA(kMenuClass, nullptr); }));
    pumpFor(200);
    EXPECT_EQ(menu->getCurrent(), 2);
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(script.missedAWindow());
}

TEST_F(TextControlsUnderWine, SubMenuEntryChosenWithTheKeyboard) {
    PopupMenu* menu = addMenu();
    auto* colours = new PopupMenu(kMenuBox, nullptr, 0);
    colours->addEntry("red");
    colours->addEntry("green");
    menu->addEntry(colours, "Colours");
    colours->release();
    InputScript script({clickOn(kMenuBox), InputScript::waitFor(kMenuClass),
                        InputScript::key(VK_UP), InputScript::key(VK_RIGHT),
                        InputScript::pause(200), InputScript::key(VK_DOWN),
                        InputScript::key(VK_RETURN)});
    ASSERT_TRUE(pumpUntil([&] { return log.count() > 0; })) << "the listener heard nothing";
    EXPECT_EQ(log.controls[0], colours);
    EXPECT_EQ(colours->getCurrent(), 1);
    EXPECT_EQ(menu->getCurrent(), 0);
}

TEST_F(TextControlsUnderWine, OwnerDrawnEntryChosenWithAClick) {
    PopupMenu* menu = addMenu();
    auto* style = new CountingStyle();
    menu->setMenuStyle(style);
    style->release();
    // Entries are 18 pixels high: the middle of the third one.
    InputScript script({clickOn(kMenuBox), InputScript::waitFor(kMenuClass),
                        InputScript::clickIn(kMenuClass, 30, 2 * 18 + 11)});
    ASSERT_TRUE(pumpUntil([&] { return log.count() > 0; })) << "the listener heard nothing";
    EXPECT_EQ(menu->getCurrent(), 2);
    EXPECT_EQ(style->measured, 3);
    EXPECT_GE(style->drawn, 3);
    EXPECT_FALSE(script.missedAWindow());
}

} // namespace
