// A simulated window system with one host window, a frame in it, and views
// that record what the frame asks of them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/frame.h"
#include "gui/frame_owner.h"
#include "platform/headless/headless.h"
#include "test_views.h"

// Also records focus loss, key releases and the items of drops.
class ProbeView : public RecordingView {
public:
    using RecordingView::RecordingView;

    void loseFocus(DrawContext* context) override {
        ++focusLosses;
        lostFocusWithContext = context != nullptr;
    }
    int onKeyDown(KeyCode&) override {
        ++keyDowns;
        return keyAnswer;
    }
    int onKeyUp(KeyCode&) override {
        ++keyUps;
        return keyAnswer;
    }
    bool onDrop(void** items, int count, int type, Point& where) override {
        droppedType = type;
        droppedCount = count;
        droppedItems.clear();
        const int names = type == kDropText ? 1 : count;
        for (int i = 0; i < names; ++i)
            droppedItems.emplace_back(static_cast<const char*>(items[i]));
        return RecordingView::onDrop(items, count, type, where);
    }

    int focusLosses = 0;
    bool lostFocusWithContext = false;
    int keyDowns = 0;
    int keyUps = 0;
    int droppedType = -1;
    int droppedCount = 0;
    std::vector<std::string> droppedItems;
};

// The host window sits at (200, 100) on the screen.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWindowSystem();
        headless::resetInput();
        headless::resetCallCounts();
        headless::clearShellLinks();
        host = headless::createWindow(kHostX, kHostY, 400, 300);
    }
    void TearDown() override {
        delete frame;
        headless::resetWindowSystem();
    }

    Frame& makeFrame(FrameOwner* editor = nullptr) {
        frame = new Frame(Rect(0, 0, 268, 107), host, editor);
        return *frame;
    }
    ProbeView* add(const Rect& r) {
        auto* v = new ProbeView(r);
        frame->addView(v);
        return v;
    }
    // Presses at a point of the frame's window through the window system.
    void press(int x, int y) {
        headless::postButtonDown(frame->getWindow(), x, y);
        headless::dispatchMessages();
    }
    void pointAt(int x, int y) {
        headless::input().pointer = platform::DevicePoint{kHostX + x, kHostY + y};
    }

    static constexpr int kHostX = 200;
    static constexpr int kHostY = 100;
    platform::Window host = nullptr;
    Frame* frame = nullptr;
};
