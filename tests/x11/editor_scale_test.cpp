// The editor drawn at larger scales on the X server: the toolkit and the
// editor linked in, in a host's window, the server's pixels written for
// CTest to compare with the headless renders stored at those scales.
//   x11_editor_scale_test [gtest options] PICTURE_FOLDER
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "gui/scale.h"
#include "host/vst_opcodes.h"
#include "platform/software/pictures/picture_files.h"
#include "platform/x11/x11.h"

namespace {

std::string pictureFolder = ".";

constexpr int kPanelWidth = 268;
constexpr int kPanelHeight = 107;

class X11EditorAtScale : public ::testing::TestWithParam<double> {};

TEST_P(X11EditorAtScale, DrawsThePanelAtTheScaledSize) {
    const double s = GetParam();
    const int width = scale::toDevice(kPanelWidth, s);
    const int height = scale::toDevice(kPanelHeight, s);
    platform::Window host = x11::createHostWindow(0, 0, width, height);
    ASSERT_NE(host, nullptr) << "no X display";

    TarvelEffect effect(nullptr);
    auto* editor = new TarvelEditor(&effect); // the effect owns it
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, host, 0.0f), 1);
    Frame* frame = editor->getFrame();
    ASSERT_NE(frame, nullptr);
    frame->setScale(s);
    // Long enough for the server to map and expose the window, and for the
    // editor to paint it in its idle time.
    for (int i = 0; i < 25; ++i) {
        effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    x11::syncHost();
    const raster::Surface shot = x11::captureWindow(frame->getWindow());
    ASSERT_EQ(shot.width(), width);
    ASSERT_EQ(shot.height(), height);
    const std::string path =
        pictureFolder + "/editor_scale_" + std::to_string(static_cast<int>(s * 100)) + ".png";
    EXPECT_TRUE(software::savePng(shot, path.c_str())) << path;
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    x11::destroyHostWindow(host);
}

INSTANTIATE_TEST_SUITE_P(LargerScales, X11EditorAtScale, ::testing::Values(2.0, 1.5));

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: x11_editor_scale_test [gtest options] PICTURE_FOLDER\n");
        return 2;
    }
    pictureFolder = argv[1];
    return RUN_ALL_TESTS();
}
