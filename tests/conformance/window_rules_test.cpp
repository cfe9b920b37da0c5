// The window seam's rules (platform/window.h) as every backend must keep
// them, run unchanged on the headless backend, on X11 under Xvfb and on
// Win32 under Wine: the class table, creation, destruction order, user
// data, damage and painting, and windows of no size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {

constexpr const char* kClass = "TarvelConformance";

// What the windows' procedure heard, in order.
std::vector<std::string> heard;
// Whether the procedure handles paints (else the default processing does).
bool handlePaints = true;

bool procedure(platform::Window window, platform::WindowMessage& message) {
    const auto* name = static_cast<const char*>(platform::windowUserData(window));
    switch (message.event) {
    case platform::WindowEvent::Destroy:
        heard.push_back(std::string("destroy ") + (name ? name : "?"));
        return true;
    case platform::WindowEvent::Paint: {
        if (!handlePaints)
            return false;
        platform::PaintSession session;
        if (platform::beginPaint(window, session))
            platform::endPaint(window, session);
        return true;
    }
    default:
        return false;
    }
}

class WindowRules : public ::testing::Test {
protected:
    void SetUp() override {
        heard.clear();
        handlePaints = true;
        host = conformance::makeHostWindow();
        ASSERT_NE(host, nullptr) << "no host window on this backend";
        ASSERT_TRUE(platform::registerWindowClass(kClass, module(), procedure));
    }
    void TearDown() override {
        for (platform::Window w : made)
            platform::destroyWindow(w);
        platform::unregisterWindowClass(kClass, module());
        if (host)
            conformance::destroyHostWindow(host);
    }

    static platform::Module module() { return platform::moduleHandle(); }

    platform::Window make(platform::Window parent, int width, int height, const char* name) {
        platform::Window w = platform::createWindow(kClass, "", parent, width, height, module());
        if (w) {
            platform::setWindowUserData(w, const_cast<char*>(name));
            made.push_back(w);
        }
        return w;
    }

    // Dispatches pending paints until none is left (a bounded number).
    static void paintAll() {
        conformance::settle();
        for (int i = 0; i < 50 && platform::dispatchPendingPaint(); ++i) {
        }
    }

    platform::Window host = nullptr;
    std::vector<platform::Window> made;
};

TEST_F(WindowRules, AClassNameIsRegisteredOnceUntilUnregistered) {
    EXPECT_FALSE(platform::registerWindowClass(kClass, module(), procedure));
    platform::unregisterWindowClass(kClass, module());
    EXPECT_TRUE(platform::registerWindowClass(kClass, module(), procedure));
}

TEST_F(WindowRules, NoWindowOfAnUnknownClassOrWithoutAParent) {
    EXPECT_EQ(platform::createWindow("TarvelNoSuchClass", "", host, 20, 20, module()), nullptr);
    EXPECT_EQ(platform::createWindow(kClass, "", nullptr, 20, 20, module()), nullptr);
}

TEST_F(WindowRules, ANewWindowKeepsItsDataAndWaitsForItsFirstPaint) {
    platform::Window w = make(host, 60, 40, "w");
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(static_cast<const char*>(platform::windowUserData(w)), "w");
    conformance::settle();
    platform::DeviceRect update{};
    ASSERT_TRUE(platform::updateRect(w, update));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 60);
    EXPECT_EQ(update.bottom, 40);
    paintAll();
    EXPECT_FALSE(platform::updateRect(w, update));
}

TEST_F(WindowRules, APaintTheProcedureLeavesAloneStillValidatesTheWindow) {
    handlePaints = false;
    platform::Window w = make(host, 30, 30, "w");
    ASSERT_NE(w, nullptr);
    paintAll();
    platform::DeviceRect update{};
    EXPECT_FALSE(platform::updateRect(w, update));
}

TEST_F(WindowRules, DestroyingTellsTheParentBeforeItsChildrenAndLeavesDeadHandlesHarmless) {
    platform::Window parent = make(host, 100, 80, "parent");
    ASSERT_NE(parent, nullptr);
    platform::Window child = make(parent, 40, 30, "child");
    ASSERT_NE(child, nullptr);
    made.clear();
    platform::destroyWindow(parent);
    conformance::settle();
    EXPECT_EQ(heard, (std::vector<std::string>{"destroy parent", "destroy child"}));
    EXPECT_EQ(platform::windowUserData(parent), nullptr);
    EXPECT_EQ(platform::windowUserData(child), nullptr);
    platform::DeviceRect update{};
    EXPECT_FALSE(platform::updateRect(child, update));
    platform::destroyWindow(child); // already gone: nothing happens
}

TEST_F(WindowRules, WindowsMayHaveNoSize) {
    platform::Window empty = make(host, 0, 0, "empty");
    ASSERT_NE(empty, nullptr);
    platform::Window flat = make(host, 50, 0, "flat");
    ASSERT_NE(flat, nullptr);
    paintAll();
    ASSERT_TRUE(platform::setWindowSize(empty, 50, 40));
    conformance::settle();
    platform::DeviceRect update{};
    ASSERT_TRUE(platform::updateRect(empty, update));
    EXPECT_EQ(update.right, 50);
    EXPECT_EQ(update.bottom, 40);
    paintAll();
    EXPECT_TRUE(platform::setWindowSize(empty, 0, 0));
    paintAll();
    EXPECT_FALSE(platform::updateRect(empty, update));
}

} // namespace
