// libtarvel-vst.so as a Linux host uses it: loaded with dlopen, its editor
// opened with the host's X11 window id as the parent, driven by effEditIdle
// alone, and closed without leaving anything on the server.
#include <dirent.h>

#include <string>

#include "effect/TarvelEffect.h"
#include "library_fixture.h"
#include "real_input.h"

namespace {

// The process's open files: the library's display connection is one.
int openFileCount() {
    int count = 0;
    if (DIR* fds = opendir("/proc/self/fd")) {
        while (readdir(fds))
            ++count;
        closedir(fds);
    }
    return count;
}

TEST_F(LibraryEditorTest, SaysItHasAnEditorOfThePanelsSize) {
    EXPECT_NE(effect->flags & effFlagsHasEditor, 0);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 268);
    EXPECT_EQ(rect->bottom - rect->top, 107);
}

TEST_F(LibraryEditorTest, TwoHundredOpensAndClosesLeaveNoWindowAndNoConnection) {
    x11::syncHost();
    const int filesBefore = openFileCount();
    for (int round = 0; round < 200; ++round) {
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1) << round;
        dispatch(effEditIdle);
        ASSERT_EQ(x11::serverChildCount(host), 1) << round;
        dispatch(effEditClose);
        x11::syncHost();
        ASSERT_EQ(x11::serverChildCount(host), 0) << round;
        // The connection is closed, and the server has freed every window,
        // graphics context and pointer shape the library made on it.
        ASSERT_EQ(openFileCount(), filesBefore) << round;
    }
}

// A press on the upper slider, as real pointer input, reaches the library's
// editor through the host's idle calls and comes back as automation.
TEST_F(LibraryEditorTest, APressOnTheUpperSliderIsAutomated) {
    ASSERT_EQ(dispatch(effEditOpen, parentId()), 1);
    const std::string x = std::to_string(kScreenX + 132);
    const std::string y = std::to_string(kScreenY + 56);
    ASSERT_TRUE(playInput(
        {"mousemove", x, y, "sleep", "0.3", "mousedown", "1", "sleep", "0.2", "mouseup", "1"},
        [this] { dispatch(effEditIdle); }));
    const std::vector<HostCall> heard = automations();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].index, TarvelEffect::kNcvolume);
    EXPECT_EQ(heard[0].opt, 115.0f / 231.0f);
    EXPECT_EQ(effect->getParameter(effect, TarvelEffect::kNcvolume), 115.0f / 231.0f);
    dispatch(effEditClose);
}

} // namespace
