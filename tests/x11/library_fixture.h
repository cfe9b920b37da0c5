// libtarvel-vst.so as a Linux host holds it: loaded with dlopen, one
// instance made through its entry point by the harness's host, and a host
// window of our own display connection whose id is passed to the editor as
// its parent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/x11/x11.h"

// Where the host window (and so the editor) sits on the screen.
constexpr int kScreenX = 120;
constexpr int kScreenY = 80;

struct LibraryInHost {
    // Loads the library, makes the instance and the host's window: empty,
    // or what went wrong.
    std::string start();
    void stop();

    VstWord dispatch(int32 opcode, void* ptr = nullptr);
    // The parent as Linux hosts pass it: the window id in the pointer.
    void* parentId() const;

    void* library = nullptr;
    PluginHost pluginHost;
    AEffect* effect = nullptr;
    platform::Window host = nullptr;
};

class LibraryEditorTest : public ::testing::Test, protected LibraryInHost {
protected:
    void SetUp() override { ASSERT_EQ(start(), ""); }
    void TearDown() override { stop(); }

    // Every audioMasterAutomate the host heard, in order.
    std::vector<HostCall> automations() const;
};
