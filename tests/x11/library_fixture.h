// libtarvel-vst.so as a Linux host holds it: loaded with dlopen, one
// instance made through its entry point with a host callback that hears
// automation, and a host window of our own display connection whose id is
// passed to the editor as its parent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/vst_opcodes.h"
#include "host/vst_types.h"
#include "platform/x11/x11.h"

// Where the host window (and so the editor) sits on the screen.
constexpr int kScreenX = 120;
constexpr int kScreenY = 80;

struct Automation {
    int32 index;
    float value;
};

class LibraryEditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    VstWord dispatch(int32 opcode, void* ptr = nullptr, int32 index = 0, VstWord value = 0);
    // The parent as Linux hosts pass it: the window id in the pointer.
    void* parentId() const;

    void* library = nullptr;
    AEffect* effect = nullptr;
    platform::Window host = nullptr;
    std::vector<Automation> heard; // every audioMasterAutomate, in order
};
