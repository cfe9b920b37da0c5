// TARVEL.dll's editor in a host window: its size, what it shows, how a
// parameter change from MIDI reaches the screen, and the scale the host or
// the display gives it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor_fixture.h"
#include "editor_pictures.h"
#include "gui/scale.h"
#include "harness/midi_event_list.h"
#include "harness/stereo_buffer.h"
#include "host/vst_opcodes.h"
#include "pictures/png_file.h"

namespace {

// The parameter values of the screenshot the native render is compared with.
constexpr float kShotNcvolume = 0.75f;
constexpr float kShotIpvolume = 0.25f;

TEST_F(EditorTest, OpensAtItsSizeInAChildOfTheHostWindow) {
    EXPECT_EQ(dll.host.effect()->flags, 25);
    EXPECT_EQ(editor.width(), 268);
    EXPECT_EQ(editor.height(), 107);
    ERect* rect = nullptr;
    ASSERT_EQ(dll.host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 107);
    EXPECT_EQ(rect->right, 268);

    HWND host = static_cast<HWND>(editor.window()->handle());
    HWND child = GetWindow(host, GW_CHILD);
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 268);
    EXPECT_EQ(client.bottom, 107);
    EXPECT_TRUE(IsWindowVisible(child));
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    char expected[64];
    std::snprintf(
        expected, sizeof expected, "Plugin%08x",
        static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(dllPath().c_str()))));
    EXPECT_STREQ(className, expected);
}

TEST_F(EditorTest, ShowsThePanelWithBothHandlesAtTheDefaultValues) {
    const RgbImage shot = editor.screenshot();
    ASSERT_EQ(shot.width(), 268);
    ASSERT_EQ(shot.height(), 107);
    EXPECT_TRUE(pictures::writePng(shot, picturePath("editor_default.png")));
    EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0);
    EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), 242);
    EXPECT_EQ(handleLeftEdge(shot, pictures, kLowerSliderTop), 242);
}

class EditorShotTest : public EditorTest {
protected:
    void beforeOpen() override {
        dll.host.setParameter(0, kShotNcvolume);
        dll.host.setParameter(1, kShotIpvolume);
    }
};

// The native side compares this screenshot with the headless render of the
// same values and with the stored reference picture.
TEST_F(EditorShotTest, ShowsTheHandlesWhereTheValuesPutThem) {
    const RgbImage shot = editor.screenshot();
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(pictures::writePng(shot, picturePath("editor_0.75_0.25.png")));
    EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0);
    EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), 11 + 173);
    EXPECT_EQ(handleLeftEdge(shot, pictures, kLowerSliderTop), 11 + 57);
}

// The host's vendor call on the open editor, in a host that cannot resize
// its window: the rectangle says the new size, and the editor draws at it
// in its own window all the same.
TEST_F(EditorShotTest, TheHostsScaleCallRedrawsTheOpenEditorAtTheNewSize) {
    EXPECT_EQ(dll.host.dispatch(effVendorSpecific, kHostScaleIndex, kHostScaleValue, nullptr, 2.0f),
              1);
    EXPECT_EQ(dll.host.dispatch(effVendorSpecific, kHostScaleIndex, kHostScaleValue, nullptr, 0.0f),
              0);
    editor.run(200);
    ERect* rect = nullptr;
    ASSERT_EQ(dll.host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 536);
    EXPECT_EQ(rect->bottom - rect->top, 214);
    HWND child = GetWindow(static_cast<HWND>(editor.window()->handle()), GW_CHILD);
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 536);
    EXPECT_EQ(client.bottom, 214);
}

// Run on a display of 144 or 192 dots per inch (the prefix's LogPixels,
// TARVEL_EXPECTED_DISPLAY_SCALE saying which scale that is): the rectangle,
// the window and the pixels are the display's scale; the screenshot is
// kept for the native side to compare with the headless render.
class EditorAtDisplayScale : public EditorShotTest {};

TEST_F(EditorAtDisplayScale, ReportsOpensAndDrawsAtTheDisplaysScale) {
    const char* expected = std::getenv("TARVEL_EXPECTED_DISPLAY_SCALE");
    const double s = expected ? std::atof(expected) : 1.0;
    EXPECT_EQ(editor.width(), scale::toDevice(268, s));
    EXPECT_EQ(editor.height(), scale::toDevice(107, s));
    HWND child = GetWindow(static_cast<HWND>(editor.window()->handle()), GW_CHILD);
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, editor.width());
    EXPECT_EQ(client.bottom, editor.height());
    const RgbImage shot = editor.screenshot();
    ASSERT_EQ(shot.width(), editor.width());
    const std::string name = "editor_dpi_" + std::to_string(static_cast<int>(s * 100)) + ".png";
    EXPECT_TRUE(pictures::writePng(shot, picturePath(name)));
}

} // namespace
