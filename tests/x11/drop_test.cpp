// Drops onto a frame's window on the X server: a drag source speaking XDND
// drags texts and file lists onto it, and the view under the pointer gets
// them through the toolkit's drop path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drag_source.h"
#include "gui/frame.h"
#include "gui/view.h"
#include "platform/x11/x11.h"

namespace {

constexpr int kScreenX = 60;
constexpr int kScreenY = 40;
constexpr int kWidth = 200;
constexpr int kHeight = 100;

// Keeps what is dropped on it and takes it.
class DropRecorder : public View {
public:
    DropRecorder() : View(Rect(0, 0, kWidth, kHeight)) {}
    bool onDrop(void** items, int count, int type, Point&) override {
        ++drops;
        droppedType = type;
        droppedCount = count;
        items_.clear();
        if (type == kDropText)
            items_.push_back(static_cast<const char*>(items[0]));
        else
            for (int i = 0; i < count; ++i)
                items_.push_back(static_cast<const char*>(items[i]));
        return true;
    }
    int drops = 0;
    int droppedType = -1;
    int droppedCount = 0;
    std::vector<std::string> items_;
};

class X11DropTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = x11::createHostWindow(kScreenX, kScreenY, kWidth, kHeight);
        ASSERT_NE(host, nullptr) << "no X display";
        frame = new Frame(Rect(0, 0, kWidth, kHeight), host, nullptr);
        ASSERT_NE(frame->getWindow(), nullptr);
        recorder = new DropRecorder();
        frame->addView(recorder);
        x11::processEvents();
    }
    void TearDown() override {
        delete frame;
        if (host)
            x11::destroyHostWindow(host);
        EXPECT_FALSE(x11::connected());
    }
    DragAnswers drop(const std::string& type, const std::string& data) {
        return dragOnto(x11::windowId(frame->getWindow()), kScreenX + 50, kScreenY + 50, type, data,
                        [] { x11::processEvents(); });
    }

    platform::Window host = nullptr;
    Frame* frame = nullptr;
    DropRecorder* recorder = nullptr; // the frame's
};

TEST_F(X11DropTest, TheFramesWindowSaysItTakesDropsOfVersionFive) {
    EXPECT_EQ(dropVersionOf(x11::windowId(frame->getWindow())), 5);
}

// UTF-8 comes in the toolkit's single-byte texts: "é" as one byte, a
// character beyond them as '?'. The count is the block's size with its zero.
TEST_F(X11DropTest, ATextIsDroppedOnTheViewUnderThePointer) {
    const DragAnswers answers = drop("UTF8_STRING", "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(answers.status);
    EXPECT_TRUE(answers.accepted);
    EXPECT_TRUE(answers.dataAsked);
    EXPECT_TRUE(answers.finished);
    EXPECT_TRUE(answers.taken);
    ASSERT_EQ(recorder->drops, 1);
    EXPECT_EQ(recorder->droppedType, kDropText);
    ASSERT_EQ(recorder->items_.size(), 1u);
    EXPECT_EQ(recorder->items_[0], "caf\xE9 ?");
    EXPECT_EQ(recorder->droppedCount, 7);
}

// Local file URIs become names, escapes decoded; comments and other hosts'
// or schemes' URIs are left out.
TEST_F(X11DropTest, AUriListIsDroppedAsFileNames) {
    const DragAnswers answers =
        drop("text/uri-list", "# two files\r\nfile:///tmp/a%20b.wav\r\nfile://localhost/"
                              "home/x.txt\r\nhttp://example.org/y\r\nfile://elsewhere/z\r\n");
    EXPECT_TRUE(answers.taken);
    ASSERT_EQ(recorder->drops, 1);
    EXPECT_EQ(recorder->droppedType, kDropFiles);
    EXPECT_EQ(recorder->items_, (std::vector<std::string>{"/tmp/a b.wav", "/home/x.txt"}));
}

TEST_F(X11DropTest, WhatIsNeitherTextNorFilesIsRefused) {
    const DragAnswers answers = drop("image/png", "\x89PNG");
    EXPECT_TRUE(answers.status);
    EXPECT_FALSE(answers.accepted);
    EXPECT_FALSE(answers.dataAsked);
    EXPECT_TRUE(answers.finished);
    EXPECT_FALSE(answers.taken);
    EXPECT_EQ(recorder->drops, 0);
}

// A list without a local file delivers nothing, and the source hears so.
TEST_F(X11DropTest, AListWithoutLocalFilesIsNotTaken) {
    const DragAnswers answers = drop("text/uri-list", "http://example.org/y\r\n");
    EXPECT_TRUE(answers.accepted);
    EXPECT_TRUE(answers.finished);
    EXPECT_FALSE(answers.taken);
    EXPECT_EQ(recorder->drops, 0);
}

} // namespace
