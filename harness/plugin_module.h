// Where a plug-in's entry point comes from: natively the plug-in linked into
// the program or a native library loaded from a file; on Windows a library
// loaded from a file.
#pragma once

#include <memory>
#include <string>

#include "host/vst_types.h"

// The exported entry point of a plug-in library (`main`, `VSTPluginMain`).
using PluginEntry = AEffect*(VSTCALL*)(audioMasterCallback audioMaster);

// Keeps a plug-in's code loaded while instances of it may live.
class PluginModule {
public:
    virtual ~PluginModule() = default;
    virtual PluginEntry entry() const = 0;
    virtual std::string description() const = 0;
};

// Natively: with an empty `path` the plug-in linked into this program,
// otherwise the native library at `path` (openSharedLibraryModule). On
// Windows: the library at `path`, loaded and asked for `main`. Returns null
// with `error` set when that fails.
std::unique_ptr<PluginModule> openPluginModule(const std::string& path, std::string& error);

#ifndef _WIN32
// The native library at `path`, loaded with dlopen and asked for
// `VSTPluginMain` (or `main`). Returns null with `error` set when that fails.
std::unique_ptr<PluginModule> openSharedLibraryModule(const std::string& path, std::string& error);
#endif
