// The editor drawn by real GDI at a scale above 1: the toolkit and the
// editor linked into this program with the library's pictures, in a host's
// window, its screenshot written for the native side to compare with the
// headless rendering at the same scale and values.
//   editor_scale_tests [gtest options] PICTURE_FOLDER
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "harness/host_window.h"
#include "harness/message_pump.h"
#include "host/vst_opcodes.h"
#include "pictures/png_file.h"
#include "platform/system.h"

namespace {

std::string pictureFolder = ".";

constexpr int kPanelWidth = 268;
constexpr int kPanelHeight = 107;

class EditorAtScale : public ::testing::TestWithParam<double> {};

TEST_P(EditorAtScale, DrawsThePanelAtTheScaledSize) {
    const double s = GetParam();
    // The pictures are this program's own resources.
    platform::setModuleHandle(reinterpret_cast<platform::Module>(GetModuleHandleA(nullptr)));
    const int width = scale::toDevice(kPanelWidth, s);
    const int height = scale::toDevice(kPanelHeight, s);
    HostWindow host(width, height, 40, 40);
    ASSERT_TRUE(host.exists());

    TarvelEffect effect(nullptr);
    auto* editor = new TarvelEditor(&effect); // the effect owns it
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, host.handle(), 0.0f), 1);
    Frame* frame = editor->getFrame();
    ASSERT_NE(frame, nullptr);
    frame->setScale(s);
    EXPECT_EQ(frame->getScale(), s);
    pumpMessages(300, [&effect] { effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); });

    RECT client{};
    ASSERT_TRUE(GetClientRect(reinterpret_cast<HWND>(frame->getWindow()), &client));
    EXPECT_EQ(client.right - client.left, width);
    EXPECT_EQ(client.bottom - client.top, height);
    const RgbImage shot = host.capture();
    ASSERT_EQ(shot.width(), width);
    ASSERT_EQ(shot.height(), height);
    const std::string name = "editor_scale_" + std::to_string(static_cast<int>(s * 100)) + ".png";
    EXPECT_TRUE(pictures::writePng(shot, pictureFolder + "\\" + name));
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    platform::setModuleHandle(nullptr);
}

INSTANTIATE_TEST_SUITE_P(LargerScales, EditorAtScale, ::testing::Values(2.0, 1.5));

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_scale_tests [gtest options] PICTURE_FOLDER\n");
        return 2;
    }
    pictureFolder = argv[1];
    return RUN_ALL_TESTS();
}
