// Tarvel.clap's editor as an X11 host embeds it: made, put in the host's
// window, run from the host's timer and file-descriptor callbacks, and
// taken down again, many times over; refused to a host that could not run it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "clap_test_host.h"
// Last: Xlib's macros (None, Bool, Status) would spoil the headers above.
#include <X11/Xlib.h>

namespace {

clap_test::ClapLibrary& library() {
    static clap_test::ClapLibrary loaded(TARVEL_CLAP_PATH);
    return loaded;
}

// A host with timers and file descriptors to watch, counting what is
// registered; either may be left out.
class GuiHost : public clap_test::TestHost {
public:
    GuiHost(bool withTimers, bool withDescriptors) {
        timersOffered = withTimers;
        descriptorsOffered = withDescriptors;
        host.getExtension = [](const clap::Host* h, const char* id) -> const void* {
            auto* self = static_cast<GuiHost*>(h->hostData);
            if (std::strcmp(id, clap::kExtThreadCheck) == 0) {
                return &self->threadCheck;
            }
            if (std::strcmp(id, clap::kExtTimerSupport) == 0 && self->timersOffered) {
                return &self->timerSupport;
            }
            if (std::strcmp(id, clap::kExtPosixFdSupport) == 0 && self->descriptorsOffered) {
                return &self->fdSupport;
            }
            if (std::strcmp(id, clap::kExtGui) == 0) {
                return &self->gui;
            }
            return nullptr;
        };
        gui.requestResize = [](const clap::Host* h, std::uint32_t width, std::uint32_t height) {
            static_cast<GuiHost*>(h->hostData)->resizes.emplace_back(width, height);
            return true;
        };
        host.hostData = this;
        timerSupport.registerTimer = [](const clap::Host* h, std::uint32_t period, clap::Id* id) {
            auto* self = static_cast<GuiHost*>(h->hostData);
            EXPECT_GT(period, 0u);
            *id = self->nextTimer++;
            self->timers.insert(*id);
            return true;
        };
        timerSupport.unregisterTimer = [](const clap::Host* h, clap::Id id) {
            return static_cast<GuiHost*>(h->hostData)->timers.erase(id) == 1;
        };
        fdSupport.registerFd = [](const clap::Host* h, int fd, std::uint32_t flags) {
            EXPECT_NE(flags & clap::kPosixFdRead, 0u);
            return static_cast<GuiHost*>(h->hostData)->descriptors.insert(fd).second;
        };
        fdSupport.modifyFd = [](const clap::Host*, int, std::uint32_t) { return true; };
        fdSupport.unregisterFd = [](const clap::Host* h, int fd) {
            return static_cast<GuiHost*>(h->hostData)->descriptors.erase(fd) == 1;
        };
    }
    bool timersOffered;
    bool descriptorsOffered;
    clap::HostTimerSupport timerSupport{};
    clap::HostPosixFdSupport fdSupport{};
    clap::HostGui gui{};
    std::vector<std::pair<std::uint32_t, std::uint32_t>> resizes;
    std::set<clap::Id> timers;
    std::set<int> descriptors;
    clap::Id nextTimer = 1;
};

// The host's own window, on a display connection of its own.
class HostWindow {
public:
    explicit HostWindow(unsigned width = 400, unsigned height = 300) {
        display = XOpenDisplay(nullptr);
        if (display != nullptr) {
            window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width, height,
                                         0, 0, 0);
            XMapWindow(display, window);
            XSync(display, False);
        }
    }
    ~HostWindow() {
        if (display != nullptr) {
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
    }
    // The size of the window's one child (the panel), 0 by 0 without one.
    std::pair<unsigned, unsigned> childSize() {
        XSync(display, False);
        ::Window root = 0;
        ::Window parent = 0;
        ::Window* list = nullptr;
        unsigned count = 0;
        XQueryTree(display, window, &root, &parent, &list, &count);
        std::pair<unsigned, unsigned> size{0, 0};
        XWindowAttributes attributes{};
        if (count == 1 && XGetWindowAttributes(display, list[0], &attributes)) {
            size = {static_cast<unsigned>(attributes.width),
                    static_cast<unsigned>(attributes.height)};
        }
        if (list != nullptr) {
            XFree(list);
        }
        return size;
    }
    unsigned children() {
        XSync(display, False);
        ::Window root = 0;
        ::Window parent = 0;
        ::Window* list = nullptr;
        unsigned count = 0;
        XQueryTree(display, window, &root, &parent, &list, &count);
        if (list != nullptr) {
            XFree(list);
        }
        return count;
    }
    Display* display = nullptr;
    ::Window window = 0;
};

TEST(ClapGui, OpensInTheHostsWindowAndClosesFiftyTimesLeavingNothingRegistered) {
    ASSERT_NE(library().entry, nullptr) << library().error;
    HostWindow parent;
    ASSERT_NE(parent.display, nullptr) << "no display";
    GuiHost host(true, true);
    clap_test::Instance instance(library(), host);
    ASSERT_TRUE(instance.start());
    const auto* gui = instance.extension<clap::PluginGui>(clap::kExtGui);
    const auto* timer = instance.extension<clap::PluginTimerSupport>(clap::kExtTimerSupport);
    const auto* fd = instance.extension<clap::PluginPosixFdSupport>(clap::kExtPosixFdSupport);
    ASSERT_NE(gui, nullptr);
    ASSERT_NE(timer, nullptr);
    ASSERT_NE(fd, nullptr);
    const clap::Plugin* plugin = instance.plugin;
    EXPECT_TRUE(gui->isApiSupported(plugin, clap::kWindowApiX11, false));
    EXPECT_FALSE(gui->isApiSupported(plugin, clap::kWindowApiX11, true));
    EXPECT_FALSE(gui->isApiSupported(plugin, clap::kWindowApiWin32, false));
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->getPreferredApi(plugin, &api, &floating));
    EXPECT_STREQ(api, clap::kWindowApiX11);
    EXPECT_FALSE(floating);
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false)) << "round " << round;
        EXPECT_FALSE(gui->create(plugin, clap::kWindowApiX11, false)) << "one editor at a time";
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        ASSERT_TRUE(gui->getSize(plugin, &width, &height));
        EXPECT_EQ(width, 268u);
        EXPECT_EQ(height, 107u);
        EXPECT_FALSE(gui->canResize(plugin));
        EXPECT_FALSE(gui->setSize(plugin, 300, 200));
        clap::Window window{};
        window.api = clap::kWindowApiX11;
        window.x11 = parent.window;
        ASSERT_TRUE(gui->setParent(plugin, &window));
        EXPECT_TRUE(gui->show(plugin));
        EXPECT_EQ(host.timers.size(), 1u);
        EXPECT_EQ(host.descriptors.size(), 1u);
        for (int tick = 0; tick < 3; ++tick) {
            timer->onTimer(plugin, *host.timers.begin());
            fd->onFd(plugin, *host.descriptors.begin(), clap::kPosixFdRead);
        }
        EXPECT_EQ(parent.children(), 1u) << "the panel sits in the host's window";
        gui->destroy(plugin);
        EXPECT_EQ(parent.children(), 0u) << "round " << round;
        EXPECT_TRUE(host.timers.empty());
        EXPECT_TRUE(host.descriptors.empty());
    }
    // Destroying the instance with its editor open takes the editor down.
    ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false));
    clap::Window window{};
    window.api = clap::kWindowApiX11;
    window.x11 = parent.window;
    ASSERT_TRUE(gui->setParent(plugin, &window));
}

// A host with neither timers nor descriptors could never run the editor's
// events: it gets none, and a plain no.
TEST(ClapGui, IsRefusedToAHostThatCouldNotRunIt) {
    ASSERT_NE(library().entry, nullptr) << library().error;
    GuiHost host(false, false);
    clap_test::Instance instance(library(), host);
    const auto* gui = instance.extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
    EXPECT_FALSE(gui->create(instance.plugin, clap::kWindowApiX11, false));
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    EXPECT_FALSE(gui->getSize(instance.plugin, &width, &height));
    gui->destroy(instance.plugin);
}

// The host's scale, set before the editor is put in its window and again
// while it is: the size the host reads, the panel's window and the resize
// the host is asked for all follow; a factor that makes no sense is refused.
TEST(ClapGui, DrawsAtTheHostsScaleAndAsksTheHostToFollowAChange) {
    ASSERT_NE(library().entry, nullptr) << library().error;
    // Smaller than the panel: the panel's window, which covers a larger
    // parent's, then has the panel's own size.
    HostWindow parent(100, 50);
    ASSERT_NE(parent.display, nullptr) << "no display";
    GuiHost host(true, true);
    clap_test::Instance instance(library(), host);
    ASSERT_TRUE(instance.start());
    const auto* gui = instance.extension<clap::PluginGui>(clap::kExtGui);
    const auto* timer = instance.extension<clap::PluginTimerSupport>(clap::kExtTimerSupport);
    const clap::Plugin* plugin = instance.plugin;
    ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false));
    EXPECT_TRUE(gui->setScale(plugin, 2.0));
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ASSERT_TRUE(gui->getSize(plugin, &width, &height));
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(536u, 214u));
    clap::Window window{};
    window.api = clap::kWindowApiX11;
    window.x11 = parent.window;
    ASSERT_TRUE(gui->setParent(plugin, &window));
    timer->onTimer(plugin, *host.timers.begin());
    EXPECT_EQ(parent.childSize(), std::make_pair(536u, 214u));
    EXPECT_TRUE(host.resizes.empty()) << "the host read the size itself";

    EXPECT_TRUE(gui->setScale(plugin, 1.5));
    timer->onTimer(plugin, *host.timers.begin());
    EXPECT_EQ(parent.childSize(), std::make_pair(402u, 161u));
    using Sizes = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    EXPECT_EQ(host.resizes, (Sizes{{402u, 161u}}));
    ASSERT_TRUE(gui->getSize(plugin, &width, &height));
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(402u, 161u));
    EXPECT_TRUE(gui->setSize(plugin, 402, 161));

    EXPECT_FALSE(gui->setScale(plugin, std::nan("")));
    EXPECT_FALSE(gui->setScale(plugin, -1.0));
    EXPECT_FALSE(gui->setScale(plugin, 100.0));
    EXPECT_EQ(host.resizes.size(), 1u);
    gui->destroy(plugin);
}

} // namespace
