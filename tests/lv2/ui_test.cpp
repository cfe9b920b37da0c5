// The panel as an LV2 host drives it: instantiated through the UI
// descriptor in a host's X11 window (made on a display connection of its
// own, as a host's is), given idle time and port events, driven by real
// pointer input, and cleaned up without leaving anything on the server.
// (Presses, drags, clicks, the wheel and the keys are the shared editor
// scenarios: ui_editor_driver.cpp.)
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>

#include <cmath>
#include <string>
#include <vector>

#include "editor/tarvel_panel.h"
#include "gui/controls/slider.h"
#include "gui/frame.h"
#include "harness/urid_map.h"
#include "panel_ui_host.h"
#include "panel_watch.h"
#include "real_input.h"

namespace {

using namespace lv2_panel;

class PanelUi : public ::testing::Test, protected PanelUiHost {
protected:
    void SetUp() override { ASSERT_EQ(start(), ""); }
    void TearDown() override { stop(); }

    void open() { ASSERT_TRUE(openPanel()); }
    void idle() { ASSERT_TRUE(idlePanel()); }
    HorizontalSlider* slider(int index) {
        TarvelPanel* editor = static_cast<tarvel_lv2::TarvelLv2Ui*>(handle)->editor();
        return index == 0 ? editor->getNcvolumeSlider() : editor->getIpvolumeSlider();
    }
    void expectNothingOnTheServer() {
        x11::syncHost();
        EXPECT_EQ(x11::serverChildCount(host), 0);
        EXPECT_EQ(x11::liveWindowCount(), 0);
        EXPECT_EQ(x11::liveGraphicsContextCount(), 0);
        EXPECT_EQ(x11::liveCursorCount(), 0);
        EXPECT_FALSE(x11::connected());
    }
};

TEST_F(PanelUi, RefusesAHostWithoutAParentWindowOrForAnotherPlugIn) {
    EXPECT_EQ(instantiate({{LV2_UI__resize, &resizeFeature}, {LV2_UI__touch, &touchFeature}}),
              nullptr);
    EXPECT_EQ(descriptor->instantiate(descriptor, tarvel_lv2::kPluginUri, "", write, controller(),
                                      &widget, nullptr),
              nullptr);
    EXPECT_EQ(instantiate({parentFeature()}, "https://ostrand.example/plugins/other"), nullptr);
    // A window id the server does not know: refused after the wait for a
    // parent still on its way.
    EXPECT_EQ(instantiate({{LV2_UI__parent, reinterpret_cast<void*>(std::uintptr_t{0x1fffffff})}}),
              nullptr);
    EXPECT_EQ(widget, nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(sizes.empty());
    expectNothingOnTheServer();
}

TEST_F(PanelUi, OpensInTheParentAnnouncesItsSizeAndCleanupLeavesNothing) {
    for (int round = 0; round < 3; ++round) {
        open();
        ASSERT_NE(widget, nullptr);
        idle();
        x11::syncHost();
        EXPECT_EQ(x11::serverChildCount(host), 1);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(widget),
                  static_cast<tarvel_lv2::TarvelLv2Ui*>(handle)->windowId());
        descriptor->cleanup(handle);
        handle = nullptr;
        expectNothingOnTheServer();
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>(3, {268, 107})));
    EXPECT_TRUE(calls.empty());
}

TEST_F(PanelUi, PortEventsMoveTheSlidersWithoutWritingBack) {
    open();
    idle();
    EXPECT_EQ(slider(0)->getValue(), 1.0f);
    portEvent(tarvel_lv2::kNcvolume, 0.25f);
    portEvent(tarvel_lv2::kIpvolume, 0.5f);
    idle();
    EXPECT_EQ(slider(0)->getValue(), 0.25f);
    EXPECT_EQ(slider(1)->getValue(), 0.5f);
    // Beyond the range: the nearer end, as the plug-in takes it.
    portEvent(tarvel_lv2::kIpvolume, 3.0f);
    idle();
    EXPECT_EQ(slider(1)->getValue(), 1.0f);
    // Not a number, another format, another port: no change.
    portEvent(tarvel_lv2::kNcvolume, std::nanf(""));
    portEvent(tarvel_lv2::kNcvolume, 0.75f, 17);
    portEvent(tarvel_lv2::kInLeft, 0.75f);
    descriptor->port_event(handle, tarvel_lv2::kNcvolume, 2, kFloat, "\x01");
    idle();
    EXPECT_EQ(slider(0)->getValue(), 0.25f);
    EXPECT_TRUE(calls.empty());
}

// Between two of the host's idle calls during a drag, the server shows the
// handle where the pointer is: it follows the drag, not the release.
TEST_F(PanelUi, TheHandleFollowsADragBetweenTheHostsIdleCalls) {
    using namespace panel_watch;
    open();
    for (int i = 0; i < 20; ++i)
        idle();
    const std::vector<raster::Pixel> signature =
        columnAt(x11::captureWindow(host), kMiddleAtOne, kUpperTop);
    const std::string y = std::to_string(kScreenY + kUpperTop + kHandleSize / 2);
    auto at = [](int x) { return std::to_string(kScreenX + x); };
    std::vector<int> seen;
    ASSERT_TRUE(playInput(
        {"mousemove", at(200),     y,        "sleep", "0.2", "mousedown", "1",   "sleep",
         "0.2",       "mousemove", "--sync", at(160), y,     "sleep",     "0.2", "mousemove",
         "--sync",    at(120),     y,        "sleep", "0.2", "mouseup",   "1"},
        [&] {
            idle();
            const bool grabbed = !calls.empty() && calls.front().kind == HostCall::Grab &&
                                 calls.back().kind != HostCall::Release;
            if (!grabbed)
                return;
            const int middle = handleMiddle(x11::captureWindow(host), signature, kUpperTop);
            if (seen.empty() || seen.back() != middle)
                seen.push_back(middle);
        }));
    EXPECT_EQ(seen, (std::vector<int>{201, 161, 121}));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), (HostCall{HostCall::Release, tarvel_lv2::kNcvolume, 0.0f}));
}

// A host that makes the panel's window wider than the panel (392 by 107,
// as one does) and moves it: every pixel of its window shows the panel or
// the panel's white field.
TEST_F(PanelUi, AParentWiderThanThePanelShowsThePanelAndItsFieldOnly) {
    using namespace panel_watch;
    open();
    for (int i = 0; i < 20; ++i)
        idle();
    const raster::Surface panel = panelOf(x11::captureWindow(host));
    x11::placeHostWindow(host, kScreenX, kScreenY, 392, 107);
    for (int i = 0; i < 20; ++i)
        idle();
    raster::Surface shown = x11::captureWindow(host);
    ASSERT_EQ(shown.width(), 392);
    EXPECT_EQ(nonWhiteBeyondThePanel(shown), 0);
    EXPECT_TRUE(panelOf(shown).samePixels(panel));
    x11::placeHostWindow(host, kScreenX + 150, kScreenY + 100, 392, 107);
    for (int i = 0; i < 20; ++i)
        idle();
    shown = x11::captureWindow(host);
    EXPECT_EQ(nonWhiteBeyondThePanel(shown), 0);
    EXPECT_TRUE(panelOf(shown).samePixels(panel));
}

// A host that offers only the parent window (no resize, no touch, no
// instance access) gets a panel that works all the same; a feature with no
// URI among them is passed over.
TEST_F(PanelUi, WithTheParentAloneAPressIsWritten) {
    handle = instantiate({{nullptr, nullptr}, parentFeature()});
    ASSERT_NE(handle, nullptr);
    const int y = panel_layout::kIpvolumeTop + panel_layout::kHandleSize / 2;
    ASSERT_TRUE(
        playInput({"mousemove", std::to_string(kScreenX + 132), std::to_string(kScreenY + y),
                   "sleep", "0.2", "mousedown", "1", "sleep", "0.1", "mouseup", "1"},
                  [this] { idle(); }));
    EXPECT_EQ(calls, (std::vector<HostCall>{{HostCall::Write, tarvel_lv2::kIpvolume,
                                             panel_layout::valueForPress(132)}}));
    EXPECT_TRUE(sizes.empty());
}

// A host that draws at 2 passes ui:scaleFactor: the panel announces its
// size at 2 and draws there; a factor set later through the options
// interface is followed and announced again, and nonsense is refused.
TEST_F(PanelUi, TheHostsScaleFactorSizesThePanelAtOpenAndAfter) {
    UridMap urids;
    const LV2_URID key = urids.map(LV2_UI__scaleFactor);
    const LV2_URID floatType = urids.map(LV2_ATOM__Float);
    auto option = [&](const float& value) {
        return LV2_Options_Option{LV2_OPTIONS_INSTANCE, 0, key, sizeof value, floatType, &value};
    };
    // Smaller than the panel: the panel's window, which covers a larger
    // parent's, then has the panel's own size.
    x11::placeHostWindow(host, kScreenX, kScreenY, 100, 50);
    const float two = 2.0f;
    const LV2_Options_Option given[] = {option(two), {}};
    handle = instantiate({parentFeature(),
                          {LV2_UI__resize, &resizeFeature},
                          {LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(given)},
                          *urids.feature()});
    ASSERT_NE(handle, nullptr);
    idle();
    TarvelPanel* panel = static_cast<tarvel_lv2::TarvelLv2Ui*>(handle)->editor();
    EXPECT_EQ(panel->getFrame()->getScale(), 2.0);
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{536, 214}}));
    const raster::Surface shot = x11::captureWindow(panel->getFrame()->getWindow());
    EXPECT_EQ(shot.width(), 536);
    EXPECT_EQ(shot.height(), 214);

    const auto* options = static_cast<const LV2_Options_Interface*>(
        descriptor->extension_data(LV2_OPTIONS__interface));
    ASSERT_NE(options, nullptr);
    const float oneAndAHalf = 1.5f;
    const LV2_Options_Option change[] = {option(oneAndAHalf), {}};
    EXPECT_EQ(options->set(handle, change), LV2_OPTIONS_SUCCESS);
    idle();
    EXPECT_EQ(sizes.back(), std::make_pair(402, 161));
    LV2_Options_Option asked[] = {{LV2_OPTIONS_INSTANCE, 0, key, 0, 0, nullptr}, {}};
    EXPECT_EQ(options->get(handle, asked), LV2_OPTIONS_SUCCESS);
    ASSERT_NE(asked[0].value, nullptr);
    EXPECT_EQ(asked[0].type, floatType);
    EXPECT_EQ(*static_cast<const float*>(asked[0].value), 1.5f);

    const float zero = 0.0f;
    const LV2_Options_Option bad[] = {option(zero), {}};
    EXPECT_EQ(options->set(handle, bad), LV2_OPTIONS_ERR_BAD_VALUE);
    const LV2_Options_Option other[] = {
        {LV2_OPTIONS_INSTANCE, 0, urids.map("urn:other"), sizeof two, floatType, &two}, {}};
    EXPECT_EQ(options->set(handle, other), LV2_OPTIONS_ERR_BAD_KEY);
    EXPECT_EQ(panel->getFrame()->getScale(), 1.5);
    EXPECT_EQ(sizes.size(), 2u);
}

} // namespace
