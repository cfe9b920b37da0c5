// One TARVEL.dll instance, started as a host starts it, with its editor open
// in a host window under the virtual display.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dll_under_test.h"
#include "harness/editor_window.h"
#include "panel_pictures.h"

// The editor's requests of the host that a drag or click makes: edit
// brackets and automation, in order.
std::vector<HostCall> editRequests(const std::vector<HostCall>& calls);

class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    // Starts the instance, runs beforeOpen() and opens the editor.
    void SetUp() override;
    // What a test does to the instance before its editor opens.
    virtual void beforeOpen() {}

    // A point of the editor in screen coordinates.
    ScreenPoint at(int x, int y) const { return editor.toScreen(x, y); }
    // Plays input at the editor; the requests it made of the host. For each
    // request, buttonHeld says whether the left button was down when it came.
    std::vector<HostCall> playAndCollect(const InputScript& script);
    std::vector<bool> buttonHeld;
    std::vector<HostCall> playedCalls; // every call the input caused

    DllInstance dll;
    EditorWindow editor;
    PanelPictures pictures;
};
