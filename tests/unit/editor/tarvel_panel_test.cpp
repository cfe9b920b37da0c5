// The editor panel as any format's editor embeds it, with no plug-in format
// around it: the parameters it is given and the host duties it asks of its
// embedder (drag idle, sizes) are all it reaches.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/panel_host.h"
#include "editor/parameter_control.h"
#include "editor/tarvel_panel.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "gui/handle_finder.h"
#include "gui/mouse_script.h"
#include "platform/headless/headless.h"

namespace {

constexpr int kScreenX = 100;
constexpr int kScreenY = 50;
constexpr int kUpperTop = 49;
constexpr int kLowerTop = 80;

// Two values, and every call of an edit as text in the order made.
class RecordedParameters final : public ParameterControl {
public:
    float value(int32 index) override { return index == 0 || index == 1 ? values[index] : -1.0f; }
    void beginEdit(int32 index) override { calls.push_back("begin " + std::to_string(index)); }
    void adjust(int32 index, float v) override {
        values[index] = v;
        calls.push_back("adjust " + std::to_string(index) + " " + std::to_string(v));
    }
    bool endEdit(int32 index) override {
        calls.push_back("end " + std::to_string(index));
        return true;
    }

    float values[2] = {1.0f, 1.0f};
    std::vector<std::string> calls;
};

class RecordedHost final : public PanelHost {
public:
    void idleDuringDrag() override { ++dragIdles; }
    bool requestSize(int width, int height) override {
        sizes.emplace_back(width, height);
        return sizeAnswer;
    }

    int dragIdles = 0;
    std::vector<std::pair<int, int>> sizes;
    bool sizeAnswer = true;
};

class TarvelPanelTest : public ::testing::Test {
protected:
    TarvelPanelTest() {
        headless::resetInput();
        headless::resetCallCounts();
        headless::input().ticks = 1000;
        headless::input().tickStep = 0;
        parent = headless::createWindow(kScreenX, kScreenY, 400, 300);
    }
    ~TarvelPanelTest() override {
        panel.close();
        headless::destroyWindow(parent);
        headless::resetInput();
    }

    void open() {
        ASSERT_TRUE(panel.open(parent));
        headless::dispatchMessages(); // the first paint
    }
    const raster::Surface& window() { return *headless::surfaceOf(panel.getFrame()->getWindow()); }
    void press(int x, int y, int state, std::vector<MouseStep> then) {
        std::vector<MouseStep> steps{{x, y, state}};
        steps.insert(steps.end(), then.begin(), then.end());
        MouseScript script(Point(kScreenX, kScreenY), steps);
        headless::postButtonDown(panel.getFrame()->getWindow(), x, y);
        headless::dispatchMessages();
    }

    platform::Window parent = nullptr;
    RecordedParameters parameters;
    RecordedHost host;
    TarvelPanel panel{&parameters, host};
};

TEST_F(TarvelPanelTest, OpensWithTheParametersValuesAsTheFramesOwnerAndClosesWithoutATrace) {
    EXPECT_EQ(panel.width(), 268);
    EXPECT_EQ(panel.height(), 107);
    EXPECT_EQ(panel.getFrame(), nullptr);
    EXPECT_FALSE(panel.open(nullptr)) << "no parent, no window";
    EXPECT_EQ(panel.getFrame(), nullptr);

    const int liveBefore = headless::liveObjectCount();
    parameters.values[0] = 0.25f;
    for (int round = 0; round < 2; ++round) {
        open();
        ASSERT_NE(panel.getFrame(), nullptr);
        EXPECT_EQ(panel.getFrame()->getEditor(), &panel);
        EXPECT_EQ(panel.getFrame()->getBackground(), panel.getBackgroundBitmap());
        // The zoom menu under the two sliders.
        ASSERT_EQ(panel.getFrame()->getViewCount(), 3);
        EXPECT_EQ(panel.getFrame()->getView(0), panel.getZoomMenu());
        EXPECT_EQ(panel.getNcvolumeSlider()->getValue(), 0.25f);
        EXPECT_EQ(panel.getIpvolumeSlider()->getValue(), 1.0f);
        EXPECT_EQ(handleColumns(window(), kUpperTop), std::vector<int>{11 + 57});
        EXPECT_EQ(handleColumns(window(), kLowerTop), std::vector<int>{242});
        panel.close();
        EXPECT_EQ(panel.getFrame(), nullptr);
        EXPECT_EQ(panel.getNcvolumeSlider(), nullptr);
        EXPECT_EQ(panel.getHandleBitmap(), nullptr);
        EXPECT_EQ(headless::liveObjectCount(), liveBefore);
    }
    EXPECT_TRUE(parameters.calls.empty());
}

// parameterChanged may come from the audio thread: it only leaves a notice,
// and the next idle moves the slider to the value read back and redraws it.
TEST_F(TarvelPanelTest, ChangesFromElsewhereWaitForTheNextIdleAndAreReadBack) {
    panel.parameterChanged(0); // closed: nothing to follow, nothing kept wrong
    open();
    panel.idle();
    parameters.values[1] = 0.0f;
    panel.parameterChanged(0); // the index says nothing: both are read back
    EXPECT_EQ(panel.getIpvolumeSlider()->getValue(), 1.0f);
    EXPECT_EQ(handleColumns(window(), kLowerTop), std::vector<int>{242});
    panel.idle();
    EXPECT_EQ(panel.getIpvolumeSlider()->getValue(), 0.0f);
    EXPECT_EQ(handleColumns(window(), kLowerTop), std::vector<int>{11});
    EXPECT_FALSE(panel.getIpvolumeSlider()->isDirty());

    parameters.values[1] = 0.5f;
    panel.idle(); // no notice: the slider stays
    EXPECT_EQ(panel.getIpvolumeSlider()->getValue(), 0.0f);
    EXPECT_TRUE(parameters.calls.empty()) << "a change from elsewhere is never echoed";
}

// A drag is one edit: its begin, each new value, its end, with the
// embedder's idle work on the turns of the drag loop.
TEST_F(TarvelPanelTest, ADragIsOneEditWithTheEmbeddersIdleWhileItLasts) {
    open();
    press(200, 87, kLButton, {{700, 87, kLButton}, {-300, 87, kLButton}, {-300, 87, 0}});
    EXPECT_EQ(parameters.calls,
              (std::vector<std::string>{"begin 1",
                                        "adjust 1 " + std::to_string((200.0f - 17.0f) / 231.0f),
                                        "adjust 1 1.000000", "adjust 1 0.000000", "end 1"}));
    EXPECT_GT(host.dragIdles, 0);
    EXPECT_EQ(parameters.values[0], 1.0f);
    EXPECT_EQ(handleColumns(window(), kLowerTop), std::vector<int>{11}) << "redrawn at once";
}

TEST_F(TarvelPanelTest, WithoutParametersItShowsZeroAndEditsNothing) {
    TarvelPanel bare(nullptr, host);
    ASSERT_TRUE(bare.open(parent));
    EXPECT_EQ(bare.getNcvolumeSlider()->getValue(), 0.0f);
    EXPECT_EQ(bare.getIpvolumeSlider()->getValue(), 0.0f);
    bare.getFrame()->beginEdit(0);
    EXPECT_EQ(bare.getFrame()->endEdit(0), 0) << "no one took the edit";
    bare.parameterChanged(1);
    bare.idle();
    EXPECT_EQ(bare.getIpvolumeSlider()->getValue(), 0.0f);
}

// The frame's size requests reach the embedder with its answer; the panel
// never asks for a window of the host's own.
TEST_F(TarvelPanelTest, SizeRequestsGoToTheEmbedder) {
    open();
    EXPECT_TRUE(panel.getFrame()->setSize(300, 120));
    host.sizeAnswer = false;
    EXPECT_TRUE(panel.getFrame()->setSize(310, 130)) << "refused: the frame sizes itself";
    EXPECT_EQ(host.sizes, (std::vector<std::pair<int, int>>{{300, 120}, {310, 130}}));
    EXPECT_EQ(panel.openHostWindow(nullptr), nullptr);
}

// For embedders whose host has no idle of its own: the idle runs at once,
// then sleeps 4 ms per call until within 50 ms of its next turn.
TEST_F(TarvelPanelTest, ThrottledIdleRunsAtOnceThenWaitsItsTurn) {
    open();
    parameters.values[0] = 0.0f;
    panel.parameterChanged(0);
    panel.throttledIdle();
    EXPECT_EQ(panel.getNcvolumeSlider()->getValue(), 0.0f);
    EXPECT_EQ(handleColumns(window(), kUpperTop), std::vector<int>{11});
    EXPECT_EQ(headless::callCount("Sleep"), 0);

    parameters.values[0] = 1.0f;
    panel.parameterChanged(0);
    headless::input().ticks = 1010;
    panel.throttledIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 1);
    EXPECT_EQ(panel.getNcvolumeSlider()->getValue(), 0.0f) << "not its turn";

    headless::input().ticks = 1051; // 49 ms before its turn
    panel.throttledIdle();
    EXPECT_EQ(headless::callCount("Sleep"), 2);
    EXPECT_EQ(panel.getNcvolumeSlider()->getValue(), 1.0f);
    EXPECT_EQ(handleColumns(window(), kUpperTop), std::vector<int>{242});
}

} // namespace
