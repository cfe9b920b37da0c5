// Where the Windows editor's scale comes from, on the real window system
// under Wine: the display's dots per inch as the prefix sets them (the test
// command says which scale to expect), the window message telling of a new
// monitor, and the zoom menu chosen with real input, saved in APPDATA and
// read back by the next editor opened.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../text_controls/input_script.h"
#include "../text_controls/message_loop.h"
#include "editor/panel_host.h"
#include "editor/tarvel_panel.h"
#include "editor/zoom.h"
#include "gui/frame.h"
#include "gui/frame_owner.h"
#include "gui/scale.h"
#include "platform/platform.h"

namespace {

const char kMenuClass[] = "#32768";
constexpr UINT kDpiChangedAfterParent = 0x02E3;

double expectedScale() {
    char text[32] = {};
    if (GetEnvironmentVariableA("TARVEL_EXPECTED_DISPLAY_SCALE", text, sizeof text) == 0)
        return 1.0;
    return std::atof(text);
}

struct FixedParameters final : ParameterControl {
    virtual ~FixedParameters() = default;
    float value(int32) override { return 0.5f; }
    void beginEdit(int32) override {}
    void adjust(int32, float) override {}
    bool endEdit(int32) override { return true; }
};

// Counts what the frame passes on to its owner.
struct CountingOwner final : FrameOwner {
    virtual ~CountingOwner() = default;
    void beginEdit(int) override {}
    bool endEdit(int) override { return true; }
    void processIdle() override {}
    bool sizeHostWindow(int, int) override { return false; }
    void* openHostWindow(VstWindowRecord*) override { return nullptr; }
    void closeHostWindow(VstWindowRecord*) override {}
    int getKnobMode() override { return 0; }
    void displayScaleChanged() override { ++scaleChanges; }
    int scaleChanges = 0;
};

class ScaleSourcesUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        host = openHostWindow("ScaleSourcesHost", "scale sources", 600, 400);
        ASSERT_NE(host, nullptr);
        // The user's settings in a folder of the test's own, with a name
        // beyond any code page.
        wchar_t temporary[MAX_PATH] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH, temporary), 0u);
        appData = std::wstring(temporary) + L"tarvel-appdata-\u00e9\u4e2d-" +
                  std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr));
        ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", appData.c_str()));
        pumpFor(100);
    }
    void TearDown() override {
        if (IsWindow(host))
            DestroyWindow(host);
        pumpFor(50);
        DeleteFileW(preferenceFile().c_str());
        RemoveDirectoryW((appData + L"\\Ostrand\\Tarvel").c_str());
        RemoveDirectoryW((appData + L"\\Ostrand").c_str());
        RemoveDirectoryW(appData.c_str());
    }
    std::wstring preferenceFile() const { return appData + L"\\Ostrand\\Tarvel\\preferences.txt"; }
    std::string preferenceText() const {
        HANDLE file = CreateFileW(preferenceFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return "";
        char text[256];
        DWORD got = 0;
        ReadFile(file, text, sizeof text, &got, nullptr);
        CloseHandle(file);
        return std::string(text, got);
    }
    HWND frameWindow(TarvelPanel& editor) const {
        return reinterpret_cast<HWND>(editor.getFrame()->getWindow());
    }

    HWND host = nullptr;
    std::wstring appData;
    FixedParameters parameters;
    // An embedder that needs nothing from the panel.
    struct QuietHost final : PanelHost {
        void idleDuringDrag() override {}
        bool requestSize(int, int) override { return false; }
    } quietHost;
};

TEST_F(ScaleSourcesUnderWine, TheDisplayScaleIsTheDotsPerInchOver96) {
    const double expected = expectedScale();
    EXPECT_EQ(platform::displayScale(reinterpret_cast<platform::Window>(host)), expected);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(platform::displayScale(reinterpret_cast<platform::Window>(child)), expected);
    DestroyWindow(child);
    // No window: the main display's; a dead one: the usual scale.
    EXPECT_EQ(platform::displayScale(nullptr), expected);
    EXPECT_EQ(platform::displayScale(reinterpret_cast<platform::Window>(child)), 1.0);
    // An editor opened on this display asks for its scale, as the pictures have it.
    TarvelPanel editor(&parameters, quietHost);
    ASSERT_TRUE(editor.open(host));
    EXPECT_EQ(editor.requestedScale(), scale::pictureScale(expected));
    editor.close();
}

TEST_F(ScaleSourcesUnderWine, TheMessageOfANewMonitorReachesTheFramesOwner) {
    CountingOwner owner;
    Frame* frame = new Frame(Rect(0, 0, 100, 50), host, &owner);
    ASSERT_NE(frame->getWindow(), nullptr);
    EXPECT_EQ(
        SendMessageA(reinterpret_cast<HWND>(frame->getWindow()), kDpiChangedAfterParent, 0, 0), 0);
    EXPECT_EQ(owner.scaleChanges, 1);
    delete frame;
}

TEST_F(ScaleSourcesUnderWine, TheSettingsFolderIsUnderAppData) {
    char folder[MAX_PATH * 3] = {};
    ASSERT_TRUE(platform::settingsFolder(folder, sizeof folder));
    wchar_t wide[MAX_PATH] = {};
    ASSERT_GT(MultiByteToWideChar(CP_UTF8, 0, folder, -1, wide, MAX_PATH), 0);
    EXPECT_EQ(std::wstring(wide), appData + L"\\Ostrand\\Tarvel\\");
    ASSERT_TRUE(zoom::savePreference(ZoomPreference{1.5, false}));
    EXPECT_EQ(preferenceText(), "zoom 1.5\nfollow-display no\n");
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{1.5, false}));
    // Saved again over the old file.
    ASSERT_TRUE(zoom::savePreference(ZoomPreference{3.0, true}));
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{3.0, true}));
}

// Right click beside the sliders, four entries down, Enter: "Zoom: 200 %".
TEST_F(ScaleSourcesUnderWine, AZoomChosenWithRealInputIsSavedAndReadByTheNextEditor) {
    TarvelPanel first(&parameters, quietHost);
    ASSERT_TRUE(first.open(host));
    pumpFor(200);
    POINT field{130, 20};
    ClientToScreen(frameWindow(first), &field);
    InputScript script({InputScript::rightClick(field.x, field.y), InputScript::waitFor(kMenuClass),
                        InputScript::key(VK_DOWN), InputScript::key(VK_DOWN),
                        InputScript::key(VK_DOWN), InputScript::key(VK_DOWN),
                        InputScript::key(VK_RETURN)});
    ASSERT_TRUE(pumpUntil([&] { return script.finished() && !FindWindowA(kMenuClass, nullptr); }));
    pumpFor(100);
    EXPECT_FALSE(script.missedAWindow()) << "the menu did not open";
    EXPECT_EQ(preferenceText(), "zoom 2\nfollow-display yes\n");
    EXPECT_EQ(first.getZoomPreference(), (ZoomPreference{2.0, true}));
    first.close();

    TarvelPanel second(&parameters, quietHost);
    ASSERT_TRUE(second.open(host));
    EXPECT_EQ(second.getZoomPreference(), (ZoomPreference{2.0, true}));
    second.close();
}

} // namespace

int main(int argc, char** argv) {
    // As a host that draws at the display's scale: Windows then tells the
    // process the display's real dots per inch instead of 96.
    using DpiAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        if (auto aware = reinterpret_cast<DpiAware>(
                reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            aware();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
