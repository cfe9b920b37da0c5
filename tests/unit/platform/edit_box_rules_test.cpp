// The edit-box rules every backend drawing its own boxes shares, as the
// Windows system's boxes behave (the backend hosts know): here on the
// headless backend, which once refused every character for a limit of 0.
#include <gtest/gtest.h>

#include <string>

#include "platform/edit_box.h"
#include "platform/headless/headless.h"

namespace {

class EditBoxRules : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWindowSystem();
        host = headless::createWindow(0, 0, 300, 100);
    }
    void TearDown() override { headless::resetWindowSystem(); }

    // Opens a box with `limit` and `text`, types `typed` over the whole
    // starting text (selected, as a new box has it) and answers what it holds.
    std::string typedInto(int limit, const char* text, const std::string& typed) {
        platform::EditBoxSetup setup;
        setup.rect = platform::DeviceRect{10, 10, 200, 30};
        setup.text = text;
        setup.limit = limit;
        platform::EditBox box = platform::createEditBox(host, setup);
        EXPECT_NE(box, nullptr);
        EXPECT_TRUE(headless::typeText(typed));
        char back[1024] = {};
        platform::editBoxText(box, back, sizeof back);
        platform::destroyEditBox(box);
        return back;
    }

    platform::Window host = nullptr;
};

TEST_F(EditBoxRules, ALimitOfZeroOrLessSetsNoLimit) {
    const std::string typed(400, 'k');
    EXPECT_EQ(typedInto(0, "", typed), typed);
    EXPECT_EQ(typedInto(-5, "old", typed), typed);
}

TEST_F(EditBoxRules, TypingStopsAtALimitAndReplacesTheSelection) {
    EXPECT_EQ(typedInto(3, "", "abcdef"), "abc");
    // The whole starting text was selected, so typing replaces it.
    EXPECT_EQ(typedInto(3, "abc", "xyzw"), "xyz");
}

TEST_F(EditBoxRules, AStartingTextLongerThanTheLimitIsKeptWhole) {
    platform::EditBoxSetup setup;
    setup.rect = platform::DeviceRect{10, 10, 200, 30};
    setup.text = "longer than four";
    setup.limit = 4;
    platform::EditBox box = platform::createEditBox(host, setup);
    ASSERT_NE(box, nullptr);
    char back[64] = {};
    platform::editBoxText(box, back, sizeof back);
    EXPECT_STREQ(back, "longer than four");
    platform::destroyEditBox(box);
}

} // namespace
