// A frame in a simulated host window for the catalogue controls, presses
// with the buttons held, and a listener that records which control told it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/test_controls.h"
#include "platform/headless/headless.h"

class ControlLog : public ControlListener {
public:
    virtual ~ControlLog() = default;
    void valueChanged(DrawContext* context, Control* control) override {
        controls.push_back(control);
        values.push_back(control->getValue());
        contexts.push_back(context);
    }
    int count() const { return static_cast<int>(controls.size()); }
    std::vector<Control*> controls;
    std::vector<float> values;
    std::vector<DrawContext*> contexts;
};

// The host window sits at (200, 100) on the screen; the frame fills its top-left 300 by 200.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWindowSystem();
        headless::resetInput();
        headless::resetCallCounts();
        host = headless::createWindow(kHostX, kHostY, 400, 300);
        frame = new Frame(Rect(0, 0, 300, 200), host, &editor);
        objectsAtStart = headless::liveObjectCount();
    }
    void TearDown() override {
        delete frame;
        headless::resetWindowSystem();
        headless::resetInput();
    }

    template <typename T> T* add(T* control) {
        frame->addView(control);
        return control;
    }
    // A press at (x, y) of the frame's window with `buttons` held (MouseState bits).
    void press(int x, int y, int buttons = kLButton) {
        hold(buttons);
        headless::input().pointer = platform::DevicePoint{kHostX + x, kHostY + y};
        frame->onButtonDownMessage(x, y);
        hold(0);
    }
    static void hold(int buttons) {
        headless::InputState& in = headless::input();
        in.keyDown[platform::kKeyLeftButton] = (buttons & kLButton) != 0;
        in.keyDown[platform::kKeyRightButton] = (buttons & kRButton) != 0;
        in.keyDown[platform::kKeyMiddleButton] = (buttons & kMButton) != 0;
        in.keyDown[platform::kKeyShift] = (buttons & kShift) != 0;
        in.keyDown[platform::kKeyControl] = (buttons & kControl) != 0;
    }
    const raster::Surface& window() const { return *headless::surfaceOf(frame->getWindow()); }
    raster::Pixel at(int x, int y) const { return window().get(x, y); }
    // How many pixels of a box of the frame's window have colour p.
    int countIn(const Rect& r, raster::Pixel p) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += at(x, y) == p;
        return n;
    }

    static constexpr int kHostX = 200;
    static constexpr int kHostY = 100;
    CountingEditor editor;
    platform::Window host = nullptr;
    Frame* frame = nullptr;
    ControlLog log;
    int objectsAtStart = 0;
};

inline raster::Pixel pixelOf(const Color& c) {
    return platform::rgb(c.red, c.green, c.blue);
}
