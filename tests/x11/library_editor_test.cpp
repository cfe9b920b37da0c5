// libtarvel-vst.so as a Linux host uses it: loaded with dlopen, its editor
// opened with the host's X11 window id as the parent, driven by effEditIdle
// alone, and closed without leaving anything on the server.
#include <chrono>
#include <thread>

#include "editor/panel_layout.h"
#include "library_fixture.h"
#include "server_state.h"

namespace {

// What the server holds for this process once it has handled the library's
// closed connection, which it hears of in its own time.
ServerHoldings holdingsOnceSettled(const ServerHoldings& expected) {
    ServerHoldings now = serverHoldingsOfThisProcess();
    for (int i = 0; i < 50 && !(now == expected); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        now = serverHoldingsOfThisProcess();
    }
    return now;
}

TEST_F(LibraryEditorTest, SaysItHasAnEditorOfThePanelsSize) {
    EXPECT_NE(effect->flags & effFlagsHasEditor, 0);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, panel_layout::kPanelWidth);
    EXPECT_EQ(rect->bottom - rect->top, panel_layout::kPanelHeight);
}

// Each open makes one child of the host's window, painted at the idle call;
// each close takes it and the library's display connection away, and the
// server frees every window, graphics context and pointer shape the library
// made on it.
TEST_F(LibraryEditorTest, TwoHundredOpensAndClosesLeaveNothingOnTheServer) {
    x11::syncHost();
    // The counting connection is opened by the first count and stays.
    const ServerHoldings before = serverHoldingsOfThisProcess();
    const int filesBefore = openFileCount();
    ASSERT_GT(before.clients, 0) << "the server cannot count what this process holds";
    for (int round = 0; round < 200; ++round) {
        ASSERT_EQ(dispatch(effEditOpen, parentId()), 1) << round;
        dispatch(effEditIdle);
        ASSERT_EQ(x11::serverChildCount(host), 1) << round;
        const ServerHoldings open = serverHoldingsOfThisProcess();
        ASSERT_EQ(open.clients, before.clients + 1) << round << ": the library's own connection";
        ASSERT_GT(open.resources, before.resources) << round;
        dispatch(effEditClose);
        x11::syncHost();
        ASSERT_EQ(x11::serverChildCount(host), 0) << round;
        ASSERT_EQ(openFileCount(), filesBefore) << round;
        const ServerHoldings after = holdingsOnceSettled(before);
        ASSERT_EQ(after.clients, before.clients) << round;
        ASSERT_EQ(after.resources, before.resources) << round;
    }
}

} // namespace
