// libtarvel-vst.so as a Linux host uses it: loaded with dlopen, its editor
// opened with the host's X11 window id as the parent, driven by effEditIdle
// alone, and closed without leaving anything on the server.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <vector>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/x11/x11.h"
#include "real_input.h"

namespace {

constexpr int kScreenX = 120;
constexpr int kScreenY = 80;

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

class LibraryEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = dlopen(TARVEL_VST_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<PluginEntry>(dlsym(library, "VSTPluginMain"));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(pluginHost.load(entry));
        effect = pluginHost.effect();
        dispatch(effOpen);
        host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
        ASSERT_NE(host, nullptr) << "no X display";
    }
    void TearDown() override {
        pluginHost.close();
        if (host)
            x11::destroyHostWindow(host);
        if (library)
            dlclose(library);
    }
    VstWord dispatch(int32 opcode, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
    }
    // The parent as Linux hosts pass it: the window id in the pointer.
    void* parentId() {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(x11::windowId(host)));
    }

    void* library = nullptr;
    PluginHost pluginHost;
    AEffect* effect = nullptr;
    platform::Window host = nullptr;
};

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
    std::vector<HostCall> heard;
    for (const HostCall& call : pluginHost.calls())
        if (call.opcode == audioMasterAutomate)
            heard.push_back(call);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].index, 0);
    EXPECT_EQ(heard[0].opt, 115.0f / 231.0f);
    EXPECT_EQ(effect->getParameter(effect, 0), 115.0f / 231.0f);
    dispatch(effEditClose);
}

} // namespace
