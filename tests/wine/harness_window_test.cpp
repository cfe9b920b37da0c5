// The harness's host window, screenshots and real input, against a stand-in
// editor window whose pixels and input handling are known.
#include <gtest/gtest.h>

#include "harness/host_window.h"
#include "harness/input_player.h"
#include "harness/message_pump.h"
#include "test_panel.h"

namespace {

constexpr int kHostWidth = TestPanel::kWidth + 40;
constexpr int kHostHeight = TestPanel::kHeight + 20;

std::uint32_t rgbOf(COLORREF color) {
    return static_cast<std::uint32_t>(GetRValue(color)) << 16 |
           static_cast<std::uint32_t>(GetGValue(color)) << 8 | GetBValue(color);
}

class HarnessWindow : public ::testing::Test {
protected:
    HarnessWindow()
        : host(kHostWidth, kHostHeight, 150, 150), panel(static_cast<HWND>(host.handle())) {}

    void settle() { pumpMessages(100, nullptr); }
    bool play(const InputScript& script) { return playInput(script, nullptr); }
    ScreenPoint at(int x, int y) const { return host.toScreen(x, y); }

    HostWindow host;
    TestPanel panel;
};

TEST_F(HarnessWindow, ClientAreaHasTheRequestedSize) {
    int width = 0;
    int height = 0;
    ASSERT_TRUE(host.measureClient(width, height));
    EXPECT_EQ(width, kHostWidth);
    EXPECT_EQ(height, kHostHeight);
    const ScreenPoint origin = host.toScreen(0, 0);
    EXPECT_EQ(origin.x, 150);
    EXPECT_EQ(origin.y, 150);
}

TEST_F(HarnessWindow, ScreenshotShowsTheChildWindowAndTheHostBackground) {
    settle();
    ASSERT_GT(panel.trace().paints, 0);
    const RgbImage shot = host.capture();
    ASSERT_EQ(shot.width(), kHostWidth);
    ASSERT_EQ(shot.height(), kHostHeight);
    int wrong = 0;
    for (int y = 0; y < kHostHeight; ++y) {
        for (int x = 0; x < kHostWidth; ++x) {
            const bool inPanel = x < TestPanel::kWidth && y < TestPanel::kHeight;
            const std::uint32_t expected =
                inPanel ? rgbOf(TestPanel::expectedColor(x, y)) : kHostWindowBackground;
            wrong += shot.pixel(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shot.pixel(25, 25), 0x00C800u);
}

TEST_F(HarnessWindow, DragWithShiftIsSeenByAPollingLoop) {
    settle();
    InputScript script;
    script.moveTo(at(10, 40))
        .pressLeft()
        .moveTo(at(60, 41))
        .keyDown(VK_SHIFT)
        .moveTo(at(150, 42))
        .keyUp(VK_SHIFT)
        .moveTo(at(250, 43)) // past the panel's right edge
        .releaseLeft();
    ASSERT_TRUE(play(script));
    const PanelTrace& trace = panel.trace();
    ASSERT_TRUE(trace.pressed);
    EXPECT_EQ(trace.pressAt.x, 10);
    EXPECT_EQ(trace.pressAt.y, 40);
    EXPECT_EQ(trace.pressKeys & (MK_SHIFT | MK_CONTROL), 0u);
    ASSERT_GE(trace.track.size(), 3u);
    EXPECT_EQ(trace.track.front().x, 10);
    bool sawMiddle = false;
    for (const POINT& p : trace.track) {
        sawMiddle = sawMiddle || (p.x == 60 && p.y == 41) || (p.x == 150 && p.y == 42);
    }
    EXPECT_TRUE(sawMiddle);
    EXPECT_EQ(trace.track.back().x, 250);
    EXPECT_EQ(trace.track.back().y, 43);
    EXPECT_TRUE(trace.sawShift);
    EXPECT_FALSE(trace.sawControl);
    EXPECT_TRUE(trace.releasedInLoop);
}

TEST_F(HarnessWindow, ControlClickCarriesTheModifier) {
    settle();
    InputScript script;
    script.keyDown(VK_CONTROL).click(at(120, 30)).keyUp(VK_CONTROL);
    ASSERT_TRUE(play(script));
    const PanelTrace& trace = panel.trace();
    ASSERT_TRUE(trace.pressed);
    EXPECT_NE(trace.pressKeys & MK_CONTROL, 0u);
    EXPECT_TRUE(trace.sawControl);
    EXPECT_EQ(trace.pressAt.x, 120);
    EXPECT_TRUE(trace.releasedInLoop);
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0) << "the key was left down";
}

TEST_F(HarnessWindow, ScriptLeavingTheButtonDownIsCleanedUp) {
    settle();
    InputScript script;
    script.moveTo(at(50, 50)).pressLeft().moveTo(at(70, 50));
    ASSERT_TRUE(play(script));
    EXPECT_TRUE(panel.trace().releasedInLoop);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);
}

TEST_F(HarnessWindow, DestroyedWindowGivesAnEmptyScreenshot) {
    host.destroy();
    EXPECT_FALSE(host.exists());
    EXPECT_TRUE(host.capture().empty());
    EXPECT_EQ(host.handle(), nullptr);
}

} // namespace
