// Views that record what the toolkit asks of them.
#pragma once

#include <string>
#include <vector>

#include "gui/draw_context.h"
#include "gui/view.h"
#include "gui/view_container.h"

// Paints its whole bounds in one colour and counts its draws, presses and drops.
class RecordingView : public View {
public:
    RecordingView(const Rect& r, Color c = colorGreen, bool* freed = nullptr)
        : View(r), color(c), freedFlag(freed) {}
    ~RecordingView() override {
        if (freedFlag)
            *freedFlag = true;
    }

    void draw(DrawContext* context) override {
        ++draws;
        if (parentView)
            parentModeWhenDrawn = static_cast<ViewContainer*>(parentView)->getRedrawMode();
        if (context) {
            context->setFillColor(color);
            context->fillRect(Rect(bounds.left - 1, bounds.top - 1, bounds.right, bounds.bottom));
        }
        View::draw(context);
    }
    void onMouseDown(DrawContext*, Point& where) override {
        ++presses;
        lastPoint = where;
    }
    int onKeyDown(KeyCode&) override { return keyAnswer; }
    bool onDrop(void**, int, int, Point& where) override {
        lastPoint = where;
        ++drops;
        return acceptsDrop;
    }
    bool onWheel(DrawContext*, Point& where, float) override {
        lastPoint = where;
        ++wheels;
        return true;
    }
    bool onAttached(View* parent) override {
        ++attached;
        return View::onAttached(parent);
    }
    bool onRemoved(View* parent) override {
        ++removed;
        return View::onRemoved(parent);
    }

    Color color;
    bool* freedFlag;
    int draws = 0;
    int presses = 0;
    int drops = 0;
    int wheels = 0;
    int attached = 0;
    int removed = 0;
    int keyAnswer = -1;
    bool acceptsDrop = true;
    int parentModeWhenDrawn = -1;
    Point lastPoint;
};
