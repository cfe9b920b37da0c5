// The TARVEL.dll these tests load: its path comes from the command line, and
// each test gets its own instance through the harness.
#pragma once

#include <memory>
#include <string>

#include "harness/plugin_host.h"
#include "harness/plugin_module.h"

const std::string& dllPath();
void setDllPath(const std::string& path);

// The library loaded and one instance created by `main`, as a host does it.
struct DllInstance {
    explicit DllInstance(HostSettings settings = HostSettings{});

    std::string error;
    std::unique_ptr<PluginModule> module;
    PluginHost host;
};
