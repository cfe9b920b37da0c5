// Both Linux libraries, libtarvel-vst.so and the LV2 panel tarvel_ui.so, as
// guests in a Linux host's process, tried as hosts treat them: the host plays
// in a child process (guest_host.h), so a guest that ends its host shows as
// that child's death, not the test program's.

// gtest before Xlib, whose None is a macro.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "guest_host.h"
#include "real_input.h"
#include "server_state.h"

using namespace guest;

namespace {

// Each test plays its host with the VST library and again with the LV2 panel.
class X11Guest : public ::testing::TestWithParam<Guest::Kind> {
protected:
    static std::unique_ptr<Guest> load() { return Guest::load(GetParam()); }
};

constexpr int kHostX = 120;
constexpr int kHostY = 80;
constexpr int kPanelWidth = 268;
constexpr int kPanelHeight = 107;

// The child's answer as the test reports it: a host with no display skips.
#define EXPECT_HOST_SURVIVES(answer)                                                               \
    do {                                                                                           \
        const int survived = (answer);                                                             \
        if (survived == kNoDisplay)                                                                \
            GTEST_SKIP() << "no X display";                                                        \
        EXPECT_EQ(survived, 0) << "the host's process ended with this status";                     \
    } while (0)

// A host moves the plug-in's window, then destroys its own window (and the
// plug-in's with it) before it closes the editor, with one idle call between:
// the idle hears of the move of a window that is gone, and the host lives on.
TEST_P(X11Guest, HostDestroyingAMovedEditorsParentBeforeTheCloseLivesOn) {
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        const ::Window parent = host.createWindow(kHostX, kHostY, 400, 300);
        if (!parent)
            return kNoDisplay;
        auto plugin = load();
        if (!plugin || !plugin->open(parent))
            return 1;
        plugin->idle();
        const ::Window editor = host.onlyChild(parent);
        if (!editor)
            return 2;
        XMoveResizeWindow(host.display(), editor, 10, 10, kPanelWidth + 4, kPanelHeight + 4);
        XDestroyWindow(host.display(), parent);
        XSync(host.display(), False);
        plugin->idle();
        plugin->close();
        return 0;
    }));
}

// A threaded host with its own error handler, making failing requests on its
// own connection from a second thread while the editor opens, paints and
// closes: every error of the host's reaches the host's handler, none of the
// plug-in's does, and the host's handler is still the process's afterwards.
std::atomic<int> ownErrors{0};
std::atomic<int> otherErrors{0};
Display* hostConnection = nullptr;

int hostHandler(Display* display, XErrorEvent*) {
    (display == hostConnection ? ownErrors : otherErrors)++;
    return 0;
}

TEST_P(X11Guest, AThreadedHostsErrorHandlerHearsAllItsErrorsAndStaysInstalled) {
    EXPECT_HOST_SURVIVES(asHost([] {
        XInitThreads();
        HostDisplay host;
        const ::Window parent = host.createWindow(kHostX, kHostY, 400, 300);
        if (!parent)
            return kNoDisplay;
        hostConnection = host.display();
        XSetErrorHandler(hostHandler);
        auto plugin = load();
        if (!plugin)
            return 1;
        constexpr int kFailures = 1000;
        std::atomic<bool> done{false};
        std::thread noisy([&] {
            // A window id of the host's that names nothing.
            const ::Window none = parent + 0xFFFF;
            for (int i = 0; i < kFailures; ++i) {
                XWindowAttributes attributes;
                XGetWindowAttributes(hostConnection, none, &attributes);
                usleep(500);
            }
            done = true;
        });
        int rounds = 0;
        bool opened = true;
        while (!done || rounds == 0) {
            opened = opened && plugin->open(parent);
            plugin->idle(10);
            plugin->close();
            ++rounds;
        }
        noisy.join();
        const bool stillInstalled = XSetErrorHandler(hostHandler) == hostHandler;
        std::fprintf(stderr, "host handler: %d of %d own errors, %d others, %d rounds, %s\n",
                     ownErrors.load(), kFailures, otherErrors.load(), rounds,
                     stillInstalled ? "still installed" : "replaced");
        if (!opened)
            return 2;
        if (ownErrors != kFailures || otherErrors != 0)
            return 3;
        return stillInstalled ? 0 : 4;
    }));
}

// Keys typed while the host's window has the focus and the pointer rests
// over the panel reach the host (its shortcuts), until a click in the panel
// asks for them; once the pointer has left, they are the host's again.
int hostKeyPresses(Display* display, ::Window window) {
    XSync(display, False);
    int presses = 0;
    XEvent event;
    while (XCheckTypedWindowEvent(display, window, KeyPress, &event))
        ++presses;
    return presses;
}

TEST_P(X11Guest, KeysOverThePanelReachTheHostsFocusedWindow) {
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        const ::Window parent = host.createWindow(kHostX, kHostY, 400, 300, false, KeyPressMask);
        if (!parent)
            return kNoDisplay;
        XSetInputFocus(host.display(), parent, RevertToParent, CurrentTime);
        auto plugin = load();
        if (!plugin || !plugin->open(parent))
            return 1;
        const auto pump = [&] { plugin->idle(); };
        const std::string overX = std::to_string(kHostX + 150);
        const std::string overY = std::to_string(kHostY + 20);
        const std::string awayX = std::to_string(kHostX + 330);
        if (!playInput({"mousemove", overX, overY, "sleep", "0.2", "key", "space"}, pump))
            return 2;
        const int beforeClick = hostKeyPresses(host.display(), parent);
        // The click lands above the sliders: it changes no value.
        if (!playInput({"click", "1", "sleep", "0.1", "key", "space"}, pump))
            return 2;
        const int afterClick = hostKeyPresses(host.display(), parent);
        if (!playInput({"mousemove", awayX, overY, "sleep", "0.1", "mousemove", overX, overY,
                        "sleep", "0.1", "key", "space"},
                       pump))
            return 2;
        const int afterLeaving = hostKeyPresses(host.display(), parent);
        plugin->close();
        std::fprintf(stderr, "the host heard %d, %d and %d presses\n", beforeClick, afterClick,
                     afterLeaving);
        if (beforeClick != 1)
            return 3;
        if (afterClick != 0)
            return 4;
        return afterLeaving == 1 ? 0 : 5;
    }));
}

// A parent window with an alpha channel (depth 32): the panel is drawn in
// it as in a parent of the screen's own visual.
TEST_P(X11Guest, AParentWithAnAlphaVisualShowsThePanel) {
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        constexpr int kParentWidth = 300;
        const ::Window plain = host.createWindow(kHostX, kHostY, kParentWidth, 120);
        const ::Window alpha = host.createWindow(kHostX, kHostY + 150, kParentWidth, 120, true);
        if (!plain)
            return kNoDisplay;
        if (!alpha) {
            std::fprintf(stderr, "the server has no visual of depth 32\n");
            return kNoDisplay;
        }
        auto first = load();
        auto second = load();
        if (!first || !second || !first->open(plain) || !second->open(alpha))
            return 1;
        first->idle(3);
        second->idle(3);
        const Picture expected = host.capture(host.onlyChild(plain));
        const Picture shown = host.capture(host.onlyChild(alpha));
        first->close();
        second->close();
        std::fprintf(stderr, "lit: %d in the plain parent, %d in the alpha one\n",
                     litPixels(expected), litPixels(shown));
        // The editor covers its host's window: the panel, and its field beyond.
        if (expected.width != kParentWidth || litPixels(expected) < kPanelWidth * kPanelHeight / 2)
            return 2;
        return shown == expected ? 0 : 3;
    }));
}

// Where no window can be made the editor says so (effEditOpen answers 0, the
// panel is not instantiated) and the instance goes on as before. A window id
// is passed in both cases.
TEST_P(X11Guest, NoWindowMeansEffEditOpenAnswersZero) {
    EXPECT_HOST_SURVIVES(asHost([] {
        unsetenv("DISPLAY");
        auto plugin = load();
        if (!plugin)
            return 1;
        const bool opened = plugin->open(0x400001);
        plugin->idle();
        plugin->close();
        return opened ? 2 : 0;
    }));
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        if (!host.display())
            return kNoDisplay;
        auto plugin = load();
        if (!plugin)
            return 1;
        // An id of a connection that never existed: the server cannot know it.
        const bool opened = plugin->open(0x1FFFFFFF);
        plugin->idle();
        plugin->close();
        return opened ? 2 : 0;
    }));
}

// Two instances' editors open at once, each in its own host window: both
// drawn, closing one leaves the other as it was, and with both closed the
// process holds on the server what it held before.
TEST_P(X11Guest, TwoInstancesEditorsOpenAtOnce) {
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        const ::Window left = host.createWindow(kHostX, kHostY, 300, 120);
        const ::Window right = host.createWindow(kHostX + 320, kHostY, 300, 120);
        if (!left || !right)
            return kNoDisplay;
        const ServerHoldings before = serverHoldingsOfThisProcess();
        auto one = load();
        auto two = load();
        if (!one || !two)
            return 1;
        if (!one->open(left) || !two->open(right))
            return 2;
        one->idle(3);
        two->idle(3);
        const Picture first = host.capture(host.onlyChild(left));
        const Picture second = host.capture(host.onlyChild(right));
        if (litPixels(first) < kPanelWidth * kPanelHeight / 2 || !(first == second))
            return 3;
        one->close();
        two->idle(3);
        if (host.onlyChild(left) != 0 || !(host.capture(host.onlyChild(right)) == second))
            return 4;
        two->close();
        return serverHoldingsOfThisProcess() == before ? 0 : 5;
    }));
}

// Two hundred opens and closes: after each close the process holds on the
// server and in its file table what it held before the first, as the server
// and the kernel count it.
TEST_P(X11Guest, TwoHundredOpensAndClosesLeaveNothingOnTheServerOrInTheProcess) {
    EXPECT_HOST_SURVIVES(asHost([] {
        HostDisplay host;
        const ::Window parent = host.createWindow(kHostX, kHostY, 300, 120);
        if (!parent)
            return kNoDisplay;
        auto plugin = load();
        if (!plugin)
            return 1;
        const ServerHoldings before = serverHoldingsOfThisProcess();
        const int filesBefore = openFileCount();
        if (before.clients < 0)
            return kNoDisplay;
        for (int round = 0; round < 200; ++round) {
            if (!plugin->open(parent))
                return 2;
            plugin->idle(2);
            const ServerHoldings open = serverHoldingsOfThisProcess();
            // The counts see the editor: a connection and its windows more.
            if (open.clients != before.clients + 1 || open.resources <= before.resources) {
                std::fprintf(stderr, "open: %d clients, %d resources; before %d, %d\n",
                             open.clients, open.resources, before.clients, before.resources);
                return 3;
            }
            plugin->close();
            const ServerHoldings after = serverHoldingsOfThisProcess();
            if (!(after == before) || openFileCount() != filesBefore) {
                std::fprintf(stderr,
                             "round %d: %d clients, %d resources, %d files; before %d, %d, %d\n",
                             round, after.clients, after.resources, openFileCount(), before.clients,
                             before.resources, filesBefore);
                return 4;
            }
        }
        return 0;
    }));
}

INSTANTIATE_TEST_SUITE_P(Libraries, X11Guest,
                         ::testing::Values(Guest::Kind::VstLibrary, Guest::Kind::Lv2Panel),
                         [](const ::testing::TestParamInfo<Guest::Kind>& tried) {
                             return tried.param == Guest::Kind::VstLibrary ? "VstLibrary"
                                                                           : "Lv2Panel";
                         });

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Another build's libraries in place of this build's: how a fault is
    // shown on libraries without its mend.
    if (argc > 2)
        setLibraryPaths(argv[1], argv[2]);
    return RUN_ALL_TESTS();
}
