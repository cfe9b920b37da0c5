// Where a plug-in's entry point comes from. Natively the plug-in is linked
// into the program; on Windows it is a library loaded from a file.
#pragma once

#include <memory>
#include <string>

#include "host/vst_types.h"

// The exported `main` of a plug-in library.
using PluginEntry = AEffect*(VSTCALL*)(audioMasterCallback audioMaster);

// Keeps a plug-in's code loaded while instances of it may live.
class PluginModule {
public:
    virtual ~PluginModule() = default;
    virtual PluginEntry entry() const = 0;
    virtual std::string description() const = 0;
};

// Natively: `path` must be empty and the module is the plug-in linked into
// this program. On Windows: the library at `path`, loaded and asked for
// `main`. Returns null with `error` set when that fails.
std::unique_ptr<PluginModule> openPluginModule(const std::string& path, std::string& error);
