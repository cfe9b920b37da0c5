#include "editor_fixture.h"

#include <windows.h>

#include "host/vst_opcodes.h"

namespace {

bool isEditRequest(const HostCall& call) {
    return call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
           call.opcode == audioMasterEndEdit;
}

} // namespace

std::vector<HostCall> editRequests(const std::vector<HostCall>& calls) {
    std::vector<HostCall> requests;
    for (const HostCall& call : calls) {
        if (isEditRequest(call)) {
            requests.push_back(call);
        }
    }
    return requests;
}

EditorTest::EditorTest() : editor(dll.host), pictures(loadPanelPictures(dllPath())) {}

void EditorTest::SetUp() {
    ASSERT_EQ(dll.error, "");
    ASSERT_TRUE(pictures.loaded()) << "cannot read the pictures of " << dllPath();
    dll.host.open();
    dll.host.setSampleRate(44100.0f);
    dll.host.setBlockSize(512);
    dll.host.resume();
    beforeOpen();
    ASSERT_TRUE(editor.open()) << editor.error();
    dll.host.clearCalls();
}

std::vector<HostCall> EditorTest::playAndCollect(const InputScript& script) {
    dll.host.clearCalls();
    buttonHeld.clear();
    // The requests come on this thread while the input thread plays on.
    dll.host.observeCalls([this](const HostCall& call) {
        if (isEditRequest(call)) {
            buttonHeld.push_back((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0);
        }
    });
    EXPECT_TRUE(editor.play(script));
    dll.host.observeCalls(nullptr);
    playedCalls = dll.host.takeCalls();
    return editRequests(playedCalls);
}
