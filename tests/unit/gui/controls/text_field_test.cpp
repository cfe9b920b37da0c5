// TextField: its text and display callbacks, the edit box a click opens
// (place, font, limit, selection, focus), typing, Enter, focus taken away,
// the listener and the LooseFocus message, the edit colours, and the field
// going away while the box is open.
#include <cstring>
#include <string>

#include "controls_test.h"
#include "gui/controls/text_field.h"
#include "gui/view_container.h"

namespace {

const Rect kBox(20, 30, 140, 48);

// A container that records the messages its children send it.
class MessageBox : public ViewContainer {
public:
    MessageBox(const Rect& r, Frame* owner) : ViewContainer(r, owner, nullptr) {}
    int onMessage(View* sender, const char* message) override {
        senders.push_back(sender);
        messages.push_back(message);
        return ViewContainer::onMessage(sender, message);
    }
    std::vector<View*> senders;
    std::vector<const char*> messages;
};

// The frame's own messages are not observable; a frame that records them is.
class ListeningFrame : public Frame {
public:
    using Frame::Frame;
    int onMessage(View* sender, const char* message) override {
        senders.push_back(sender);
        messages.push_back(message);
        return 0;
    }
    std::vector<View*> senders;
    std::vector<const char*> messages;
};

class TextFieldTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        // The frame here records the messages it gets.
        delete frame;
        listening = new ListeningFrame(Rect(0, 0, 300, 200), host, &editor);
        frame = listening;
    }
    TextField* field(const char* text = "hello", int style = 0) {
        return add(new TextField(kBox, &log, 7, text, nullptr, style));
    }
    void click(int buttons = kLButton) { press(kBox.left + 5, kBox.top + 5, buttons); }
    static headless::EditBoxInfo box(int index = 0) {
        headless::EditBoxInfo info;
        EXPECT_TRUE(headless::editBoxInfo(index, info));
        return info;
    }

    ListeningFrame* listening = nullptr;
};

TEST_F(TextFieldTest, KeepsAtMost255CharactersAndIgnoresANullText) {
    const std::string longText(300, 'a');
    TextField* f = field(longText.c_str());
    EXPECT_EQ(std::strlen(f->text()), 255u);
    f->setText(nullptr);
    EXPECT_EQ(std::strlen(f->text()), 255u);
    f->setText(("b" + longText).c_str());
    EXPECT_EQ(std::string(f->text()), "b" + std::string(254, 'a'));
    char out[kDisplayTextSize];
    f->getText(out);
    EXPECT_STREQ(out, f->text());
    f->getText(nullptr);
    EXPECT_STREQ(add(new TextField(kBox, nullptr, 0, nullptr))->text(), "");
}

TEST_F(TextFieldTest, SettingTheSameTextAsksForNoRedraw) {
    TextField* f = field("same");
    frame->drawView(f);
    f->setText("same");
    EXPECT_FALSE(f->isDirty());
    f->setText("other");
    EXPECT_TRUE(f->isDirty());
    EXPECT_STREQ(f->text(), "other");
}

TEST_F(TextFieldTest, DisplayCallbacksWorkOnACopyOfTheText) {
    TextField* f = field("abc");
    static std::string shown;
    f->setDisplayText([](char* text, char* out) {
        std::strcpy(out, "[x]");
        shown = text;
        text[0] = 'Z'; // must not reach the field
    });
    frame->drawView(f);
    EXPECT_EQ(shown, "abc");
    EXPECT_STREQ(f->text(), "abc");
}

TEST_F(TextFieldTest, ClickOpensAnEditBoxOverTheFieldWithItsTextSelected) {
    TextField* f = field("hello");
    f->setAlignment(kRightText);
    click();
    ASSERT_EQ(headless::editBoxCount(), 1);
    const headless::EditBoxInfo info = box();
    EXPECT_EQ(info.parent, frame->getWindow());
    EXPECT_EQ(info.rect.left, kBox.left);
    EXPECT_EQ(info.rect.top, kBox.top);
    EXPECT_EQ(info.rect.right, kBox.right);
    EXPECT_EQ(info.rect.bottom, kBox.bottom);
    EXPECT_EQ(info.text, "hello");
    EXPECT_EQ(info.alignment, kRightText);
    EXPECT_EQ(info.limit, 255);
    EXPECT_EQ(info.selectionStart, 0);
    EXPECT_EQ(info.selectionEnd, 5);
    EXPECT_TRUE(info.focused);
    EXPECT_EQ(info.fontFace, "Arial");
    EXPECT_EQ(info.fontHeight, -12); // font 3, 12 pixels, in an 18-pixel box
    EXPECT_EQ(frame->getFocusView(), f);
    EXPECT_TRUE(f->isEditing());
}

// At 1.5 the box covers the field's pixels, in a font as much taller.
TEST_F(TextFieldTest, AtAScaleTheEditBoxCoversTheFieldsPixels) {
    frame->setScale(1.5);
    field("hello");
    press(3 * (kBox.left + 4) / 2, 3 * (kBox.top + 4) / 2);
    ASSERT_EQ(headless::editBoxCount(), 1);
    const headless::EditBoxInfo info = box();
    EXPECT_EQ(info.rect.left, 30);
    EXPECT_EQ(info.rect.top, 45);
    EXPECT_EQ(info.rect.right, 210);
    EXPECT_EQ(info.rect.bottom, 72);
    EXPECT_EQ(info.fontHeight, -18);
}

TEST_F(TextFieldTest, FontIsNoTallerThanTheBoxLeavesRoom) {
    auto* f = add(new TextField(Rect(10, 10, 90, 20), nullptr, 0, "x"));
    f->setFont(1); // 18 pixels
    press(15, 15);
    EXPECT_EQ(box().fontHeight, -8);
}

TEST_F(TextFieldTest, TypingAndEnterTakeTheTextAndTellTheListener) {
    TextField* f = field("hello");
    click();
    ASSERT_TRUE(headless::typeText("world"));
    EXPECT_EQ(log.count(), 0);
    ASSERT_TRUE(headless::pressEnter());
    EXPECT_STREQ(f->text(), "world");
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.controls[0], f);
    EXPECT_EQ(headless::editBoxCount(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(f->isEditing());
    EXPECT_TRUE(f->isDirty());
    ASSERT_EQ(listening->messages.size(), 1u);
    EXPECT_EQ(listening->messages[0], kMsgLooseFocus);
    EXPECT_EQ(listening->senders[0], f);
    EXPECT_EQ(headless::liveObjectCount(), objectsAtStart);
}

TEST_F(TextFieldTest, UnchangedTextClosesWithoutTellingTheListener) {
    TextField* f = field("same");
    click();
    headless::typeText("same");
    headless::pressEnter();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(listening->messages.size(), 1u);
    EXPECT_STREQ(f->text(), "same");
}

TEST_F(TextFieldTest, LosingTheKeyboardFocusClosesTheBoxWithWhatWasTyped) {
    TextField* f = field("hello");
    click();
    headless::pressBackspace(); // the whole selection goes
    headless::typeText("bye");
    headless::takeKeyboardFocus();
    EXPECT_STREQ(f->text(), "bye");
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(headless::editBoxCount(), 0);
}

TEST_F(TextFieldTest, APressElsewhereInTheFrameClosesTheBox) {
    TextField* f = field("hello");
    click();
    headless::typeText("x");
    press(250, 150);
    EXPECT_STREQ(f->text(), "x");
    EXPECT_EQ(headless::editBoxCount(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(log.count(), 1);
}

TEST_F(TextFieldTest, TheBoxTakesNoMoreThan255Characters) {
    TextField* f = field("");
    click();
    headless::typeText(std::string(300, 'k'));
    EXPECT_EQ(box().text.size(), 255u);
    headless::pressEnter();
    EXPECT_EQ(std::strlen(f->text()), 255u);
}

TEST_F(TextFieldTest, OnlyALeftClickOpensTheBox) {
    field();
    click(kRButton);
    click(kMButton);
    EXPECT_EQ(headless::editBoxCount(), 0);
    click(kLButton | kShift);
    EXPECT_EQ(headless::editBoxCount(), 1);
}

TEST_F(TextFieldTest, DoubleClickStyleWaitsForTheSecondClick) {
    field("x", styleDoubleClick);
    click();
    EXPECT_EQ(headless::editBoxCount(), 0);
    click();
    EXPECT_EQ(headless::editBoxCount(), 1);
}

TEST_F(TextFieldTest, ClickOnTheFieldWhileOpenKeepsOneBox) {
    TextField* f = field();
    click();
    // The frame first takes the focus away, then the press opens a new box.
    click();
    EXPECT_EQ(headless::editBoxCount(), 1);
    EXPECT_EQ(frame->getFocusView(), f);
}

TEST_F(TextFieldTest, EditBoxTakesTheFieldsColours) {
    TextField* f = field("colours");
    f->setFillColor(colorBlue);
    f->setFontColor(colorYellow);
    click();
    headless::dispatchMessages();
    const headless::EditBoxInfo info = box();
    const raster::Surface& s = *headless::surfaceOf(info.window);
    EXPECT_EQ(s.get(1, 1), 0xFF0000u);
    int yellow = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            yellow += s.get(x, y) == 0x00FFFFu;
    EXPECT_GT(yellow, 0);
    // Each colour request makes a new brush; the last one goes with the box.
    headless::damageWindow(info.window);
    headless::dispatchMessages();
    headless::pressEnter();
    EXPECT_EQ(headless::liveObjectCount(), objectsAtStart);
}

TEST_F(TextFieldTest, WhileOpenTheFieldDrawsNothingUnderTheBox) {
    TextField* f = field("hidden");
    f->setFillColor(colorBlue);
    click();
    frame->drawView(f);
    EXPECT_EQ(countIn(kBox, 0xFF0000u), 0);
    headless::pressEnter();
    frame->drawView(f);
    EXPECT_GT(countIn(kBox, 0xFF0000u), 0);
}

TEST_F(TextFieldTest, InAContainerTheBoxMovesWithItAndTheContainerHearsLooseFocus) {
    auto* container = new MessageBox(Rect(40, 50, 240, 150), frame);
    frame->addView(container);
    auto* f = new TextField(Rect(10, 10, 110, 30), &log, 1, "inner");
    container->addView(f);
    press(60, 70);
    ASSERT_EQ(headless::editBoxCount(), 1);
    EXPECT_EQ(box().rect.left, 50);
    EXPECT_EQ(box().rect.top, 60);
    headless::pressEnter();
    ASSERT_EQ(container->messages.size(), 1u);
    EXPECT_EQ(container->messages[0], kMsgLooseFocus);
    EXPECT_TRUE(listening->messages.empty());
}

TEST_F(TextFieldTest, ClosingTheFrameWhileTypingTakesTheTextAndLeavesNothingBehind) {
    field("hello");
    click();
    headless::typeText("late");
    delete frame;
    frame = nullptr;
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(headless::editBoxCount(), 0);
    EXPECT_EQ(headless::liveObjectCount(), objectsAtStart);
}

TEST_F(TextFieldTest, HostDestroyingItsWindowWhileTypingClosesTheBoxFirst) {
    TextField* f = field("hello");
    click();
    headless::typeText("gone");
    headless::destroyWindow(host);
    EXPECT_STREQ(f->text(), "gone");
    EXPECT_FALSE(f->isEditing());
    EXPECT_EQ(headless::deadHandleUses(), 0);
}

TEST_F(TextFieldTest, RemovedWhileTypingTheFieldDestroysItsBox) {
    TextField* f = field("hello");
    click();
    frame->removeView(f, true);
    EXPECT_EQ(headless::editBoxCount(), 0);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(headless::liveObjectCount(), objectsAtStart);
}

TEST_F(TextFieldTest, ZeroSizedFieldStillOpensAndClosesSafely) {
    auto* f = add(new TextField(Rect(5, 5, 5, 5), &log, 0, "z"));
    press(5, 5);
    ASSERT_EQ(headless::editBoxCount(), 1);
    EXPECT_EQ(box().fontHeight, -1);
    headless::typeText("q");
    headless::pressEnter();
    EXPECT_STREQ(f->text(), "q");
}

} // namespace
