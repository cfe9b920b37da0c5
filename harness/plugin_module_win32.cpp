// Loads a plug-in library as a Windows host does: LoadLibraryA, then the
// exported `VSTPluginMain` or, failing that, `main`.
#include <windows.h>

#include <string>
#include <utility>

#include "harness/plugin_module.h"

namespace {

class PluginLibrary final : public PluginModule {
public:
    PluginLibrary(HMODULE module, PluginEntry mainEntry, std::string path)
        : module_(module), entry_(mainEntry), path_(std::move(path)) {}
    ~PluginLibrary() override { FreeLibrary(module_); }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    PluginEntry entry() const override { return entry_; }
    std::string description() const override { return path_; }

private:
    HMODULE module_;
    PluginEntry entry_;
    std::string path_;
};

std::string lastErrorText(const char* what, const std::string& path) {
    return std::string(what) + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

} // namespace

std::unique_ptr<PluginModule> openPluginModule(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = lastErrorText("cannot load", path);
        return nullptr;
    }
    // As hosts do: the newer name first, then the one every library has.
    FARPROC proc = GetProcAddress(module, "VSTPluginMain");
    if (proc == nullptr) {
        proc = GetProcAddress(module, "main");
    }
    if (proc == nullptr) {
        error = lastErrorText("no exported VSTPluginMain or main in", path);
        FreeLibrary(module);
        return nullptr;
    }
    // The generic function pointer type first: the entry's real type is only
    // known by convention.
    auto entry = reinterpret_cast<PluginEntry>(reinterpret_cast<void (*)()>(proc));
    return std::make_unique<PluginLibrary>(module, entry, path);
}
