// A stand-in editor window for testing the harness's own window machinery:
// a child window that paints a known pattern and, on a press, tracks the
// drag by polling the pointer and the button as the toolkit's controls do.
#pragma once

#include <windows.h>

#include <vector>

struct PanelTrace {
    bool pressed = false;
    WPARAM pressKeys = 0;     // the key flags of the press message
    POINT pressAt{};          // client coordinates of the press
    std::vector<POINT> track; // pointer positions seen by the loop, client coordinates
    bool sawShift = false;
    bool sawControl = false;
    bool releasedInLoop = false;
    int paints = 0;
};

class TestPanel {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 80;
    // Pattern: left half red, right half blue, a green 10 by 10 square at (20, 20).
    static COLORREF expectedColor(int x, int y);

    explicit TestPanel(HWND parent);
    ~TestPanel();
    TestPanel(const TestPanel&) = delete;
    TestPanel& operator=(const TestPanel&) = delete;

    HWND handle() const { return window_; }
    const PanelTrace& trace() const { return trace_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void track(WPARAM keys, LPARAM position);

    HWND window_ = nullptr;
    PanelTrace trace_;
};
