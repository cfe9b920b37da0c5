// Real mouse input on TARVEL.dll's editor that only the Windows editor is
// put through: when the host hears of a held press. (Presses, drags, clicks
// and the wheel are the shared editor scenarios: wine_editor_driver.cpp.)
#include <windows.h>

#include "editor_fixture.h"
#include "host/vst_opcodes.h"

namespace {

constexpr int kUpperY = kUpperSliderTop + kSliderHeight / 2;

TEST_F(EditorTest, EditBracketStaysOpenWhileTheButtonIsHeld) {
    // A long hold without moving: idle time goes to the host meanwhile, and
    // the bracket closes only after the release.
    InputScript script;
    script.moveTo(at(100, kUpperY)).pressLeft().moveTo(at(120, kUpperY)).pause(400).releaseLeft();
    const std::vector<HostCall> requests = playAndCollect(script);
    ASSERT_EQ(requests.size(), buttonHeld.size());
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(requests.back().opcode, audioMasterEndEdit);
    for (std::size_t i = 0; i + 1 < requests.size(); ++i) {
        EXPECT_NE(requests[i].opcode, audioMasterEndEdit) << i;
        EXPECT_TRUE(buttonHeld[i]) << i;
    }
    EXPECT_FALSE(buttonHeld.back());
    EXPECT_EQ(dll.host.getParameter(0), panel_layout::valueForPress(120));
    // The drag loop gave the host idle time about every 50 ms.
    EXPECT_GE(countCalls(playedCalls, audioMasterIdle), 4);
}

} // namespace
