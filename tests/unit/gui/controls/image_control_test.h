// A frame in a simulated window with an editor over an effect, for the image
// controls: one log holds the effect's edit brackets and every value the
// listener hears, in order; pictures made here tell by their colour which
// point of them was drawn where.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "editor/gui_editor.h"
#include "gui/bitmap.h"
#include "gui/control.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/offscreen_context.h"
#include "gui/test_controls.h"
#include "mouse_script.h"
#include "platform/graphics.h"
#include "platform/headless/headless.h"

inline std::string valueEntry(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "value %g", static_cast<double>(v));
    return text;
}

// Like the editor panel: hears a value, then has the control redraw if
// dirty; each value also goes into the shared log.
class LoggingListener : public RecordingListener {
public:
    explicit LoggingListener(Log& sharedLog) : log(sharedLog) {}
    void valueChanged(DrawContext* context, Control* control) override {
        log.push_back(valueEntry(control->getValue()));
        RecordingListener::valueChanged(context, control);
    }
    Log& log;
};

// A picture whose pixel (x, y) has red x, green y and blue `marker`, so a
// pixel read back names the point of the picture it came from. Sides up to
// 255 pixels.
inline Bitmap* coordinatePicture(int width, int height, int marker = 7) {
    auto* picture = new Bitmap(width, height);
    OffscreenContext painter(nullptr, picture, true);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            painter.drawPoint(Point(x, y),
                              Color{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                    static_cast<std::uint8_t>(marker), 0});
    return picture;
}

// A picture of one colour.
inline Bitmap* plainPicture(int width, int height, Color c) {
    auto* picture = new Bitmap(width, height);
    OffscreenContext painter(nullptr, picture, true);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            painter.drawPoint(Point(x, y), c);
    return picture;
}

// The point of a coordinate picture with `marker` a pixel came from; (-1, -1)
// for a pixel of anything else.
inline Point sourceOf(raster::Pixel p, int marker = 7) {
    if (((p >> 16) & 0xFF) != static_cast<raster::Pixel>(marker))
        return Point(-1, -1);
    return Point(static_cast<int>(p & 0xFF), static_cast<int>((p >> 8) & 0xFF));
}

inline bool operator==(const Point& a, const Point& b) {
    return a.h == b.h && a.v == b.v;
}
inline std::ostream& operator<<(std::ostream& o, const Point& p) {
    return o << "(" << p.h << ", " << p.v << ")";
}

class ImageControlTest : public ::testing::Test {
protected:
    static constexpr int kScreenX = 100;
    static constexpr int kScreenY = 50;

    ImageControlTest() {
        headless::resetWindowSystem();
        headless::resetInput();
        editor = new GuiEditor(&effect); // owned by the effect
        parent = headless::createWindow(kScreenX, kScreenY, 200, 160);
        frame = new Frame(Rect(0, 0, 200, 160), parent, editor);
    }
    ~ImageControlTest() override {
        delete frame;
        for (Bitmap* b : pictures)
            b->release();
        headless::destroyWindow(parent);
        headless::resetInput();
        GuiEditor::knobMode = 0;
    }

    template <class C> C* add(C* control) {
        frame->addView(control);
        return control;
    }
    // Keeps the test's reference until the end of the test.
    Bitmap* keep(Bitmap* picture) {
        pictures.push_back(picture);
        return picture;
    }

    // A press at (x, y) with `state` through the frame, then the steps the
    // control's loop polls (or the pointer events of them, with `byEvents`);
    // the default step releases everything.
    void press(int x, int y, int state, std::vector<MouseStep> then = {{0, 0, 0}}) {
        playPress(*frame, Point(kScreenX, kScreenY), x, y, state, then, byEvents);
    }
    bool byEvents = false;

    // Runs `action` with a drawing context on the frame's window.
    template <class F> void withContext(F action) {
        platform::DeviceContext dc = platform::getDC(frame->getWindow());
        {
            DrawContext context(frame, dc, frame->getWindow());
            action(context);
        }
        platform::releaseDC(frame->getWindow(), dc);
    }

    raster::Pixel pixel(int x, int y) const {
        return headless::surfaceOf(frame->getWindow())->get(x, y);
    }
    Point sourceAt(int x, int y, int marker = 7) const { return sourceOf(pixel(x, y), marker); }

    Log log;
    EditLogEffect effect{log};
    LoggingListener listener{log};
    GuiEditor* editor;
    platform::Window parent;
    Frame* frame;
    std::vector<Bitmap*> pictures;
};
