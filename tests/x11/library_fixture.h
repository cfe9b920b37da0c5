// libtarvel-vst.so as a Linux host holds it: loaded with dlopen, one
// instance made through its entry point by the harness's host, and a host
// window of our own display connection whose id is passed to the editor as
// its parent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/x11/x11.h"

// Where the host window (and so the editor) sits on the screen.
constexpr int kScreenX = 120;
constexpr int kScreenY = 80;

class LibraryEditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    VstWord dispatch(int32 opcode, void* ptr = nullptr);
    // The parent as Linux hosts pass it: the window id in the pointer.
    void* parentId() const;
    // Every audioMasterAutomate the host heard, in order.
    std::vector<HostCall> automations() const;

    void* library = nullptr;
    PluginHost pluginHost;
    AEffect* effect = nullptr;
    platform::Window host = nullptr;
};
