// The panel as an LV2 host drives it: instantiated through the UI
// descriptor in a host's X11 window (made on a display connection of its
// own, as a host's is), given idle time and port events, driven by real
// pointer input, and cleaned up without leaving anything on the server.
#include <gtest/gtest.h>
#include <lv2/ui/ui.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "TarvelLv2Ui.h"
#include "editor/TarvelPanel.h"
#include "gui/slider.h"
#include "lv2_ports.h"
#include "panel_watch.h"
#include "platform/x11/x11.h"
#include "real_input.h"

namespace {

constexpr int kScreenX = 120;
constexpr int kScreenY = 80;
constexpr std::uint32_t kFloat = 0;

struct HostCall {
    enum Kind { Write, Grab, Release } kind;
    std::uint32_t port;
    float value;
};

bool operator==(const HostCall& a, const HostCall& b) {
    return a.kind == b.kind && a.port == b.port && a.value == b.value;
}

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
    static const char* const kinds[] = {"write", "grab", "release"};
    return out << kinds[call.kind] << " port " << call.port << " " << call.value;
}

class PanelUi : public ::testing::Test {
protected:
    void SetUp() override {
        descriptor = lv2ui_descriptor(0);
        ASSERT_NE(descriptor, nullptr);
        host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
        ASSERT_NE(host, nullptr) << "no X display";
        idleInterface = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idleInterface, nullptr);
    }
    void TearDown() override {
        if (handle)
            descriptor->cleanup(handle);
        if (host)
            x11::destroyHostWindow(host);
    }

    static void write(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size,
                      std::uint32_t format, const void* buffer) {
        ASSERT_EQ(size, sizeof(float));
        ASSERT_EQ(format, kFloat);
        static_cast<PanelUi*>(controller)
            ->calls.push_back({HostCall::Write, port, *static_cast<const float*>(buffer)});
    }
    static void touch(LV2UI_Feature_Handle self, std::uint32_t port, bool grabbed) {
        static_cast<PanelUi*>(self)->calls.push_back(
            {grabbed ? HostCall::Grab : HostCall::Release, port, 0.0f});
    }
    static int resize(LV2UI_Feature_Handle self, int width, int height) {
        static_cast<PanelUi*>(self)->sizes.push_back({width, height});
        return 0;
    }

    // The parent as hosts pass it: the window id in the pointer.
    LV2_Feature parentFeature() {
        return {LV2_UI__parent, reinterpret_cast<void*>(std::uintptr_t{x11::windowId(host)})};
    }
    LV2UI_Handle instantiate(std::vector<LV2_Feature> offered,
                             const char* plugin = tarvel_lv2::kPluginUri) {
        std::vector<const LV2_Feature*> list;
        for (const LV2_Feature& f : offered)
            list.push_back(&f);
        list.push_back(nullptr);
        return descriptor->instantiate(descriptor, plugin, "", write, this, &widget, list.data());
    }
    // Parent, resize and touch: all the panel takes.
    void open() {
        handle = instantiate(
            {parentFeature(), {LV2_UI__resize, &resizeFeature}, {LV2_UI__touch, &touchFeature}});
        ASSERT_NE(handle, nullptr);
    }
    void idle() { ASSERT_EQ(idleInterface->idle(handle), 0); }
    void portEvent(std::uint32_t port, float value, std::uint32_t format = kFloat) {
        descriptor->port_event(handle, port, sizeof value, format, &value);
    }
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

    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    platform::Window host = nullptr;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
    LV2UI_Resize resizeFeature{this, resize};
    LV2UI_Touch touchFeature{this, touch};
    std::vector<HostCall> calls;
    std::vector<std::pair<int, int>> sizes;
};

TEST_F(PanelUi, RefusesAHostWithoutAParentWindowOrForAnotherPlugIn) {
    EXPECT_EQ(instantiate({{LV2_UI__resize, &resizeFeature}, {LV2_UI__touch, &touchFeature}}),
              nullptr);
    EXPECT_EQ(descriptor->instantiate(descriptor, tarvel_lv2::kPluginUri, "", write, this, &widget,
                                      nullptr),
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

// The handle of the upper slider, at 1 on the right, dragged past the left
// end with real pointer input, while the host's idle calls keep coming.
TEST_F(PanelUi, ADragWritesThePortBetweenTouchGrabAndRelease) {
    open();
    const std::string y = std::to_string(kScreenY + 56);
    ASSERT_TRUE(playInput({"mousemove",
                           std::to_string(kScreenX + 249),
                           y,
                           "sleep",
                           "0.2",
                           "mousedown",
                           "1",
                           "sleep",
                           "0.1",
                           "mousemove",
                           std::to_string(kScreenX + 150),
                           y,
                           "sleep",
                           "0.1",
                           "mousemove",
                           std::to_string(kScreenX + 2),
                           y,
                           "sleep",
                           "0.1",
                           "mouseup",
                           "1"},
                          [this] { idle(); }));
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), (HostCall{HostCall::Grab, tarvel_lv2::kNcvolume, 0.0f}));
    EXPECT_EQ(calls.back(), (HostCall{HostCall::Release, tarvel_lv2::kNcvolume, 0.0f}));
    for (std::size_t i = 1; i + 1 < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, HostCall::Write) << i;
        EXPECT_EQ(calls[i].port, tarvel_lv2::kNcvolume) << i;
    }
    EXPECT_EQ(calls[calls.size() - 2].value, 0.0f);
    EXPECT_EQ(slider(0)->getValue(), 0.0f);
}

// Between two of the host's idle calls during a drag, the server shows the
// handle where the pointer is: it follows the drag, not the release.
TEST_F(PanelUi, TheHandleFollowsADragBetweenTheHostsIdleCalls) {
    using namespace panel_watch;
    open();
    for (int i = 0; i < 20; ++i)
        idle();
    const std::vector<raster::Pixel> signature = columnAt(x11::captureWindow(host), 249, kUpperTop);
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
    ASSERT_TRUE(
        playInput({"mousemove", std::to_string(kScreenX + 132), std::to_string(kScreenY + 87),
                   "sleep", "0.2", "mousedown", "1", "sleep", "0.1", "mouseup", "1"},
                  [this] { idle(); }));
    EXPECT_EQ(calls,
              (std::vector<HostCall>{{HostCall::Write, tarvel_lv2::kIpvolume, 115.0f / 231.0f}}));
    EXPECT_TRUE(sizes.empty());
}

} // namespace
