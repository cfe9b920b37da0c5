// Loads a native plug-in library as a Linux host does: dlopen, then the
// exported `VSTPluginMain`, or `main` where a library has only that name.
#include <dlfcn.h>

#include <string>
#include <utility>

#include "harness/plugin_module.h"

namespace {

class SharedLibrary final : public PluginModule {
public:
    SharedLibrary(void* handle, PluginEntry mainEntry, std::string path)
        : handle_(handle), entry_(mainEntry), path_(std::move(path)) {}
    ~SharedLibrary() override { dlclose(handle_); }
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    PluginEntry entry() const override { return entry_; }
    std::string description() const override { return path_; }

private:
    void* handle_;
    PluginEntry entry_;
    std::string path_;
};

std::string lastErrorText() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

} // namespace

std::unique_ptr<PluginModule> openSharedLibraryModule(const std::string& path, std::string& error) {
    // RTLD_LOCAL: the library's symbols never stand in for the program's
    // (or another plug-in's) own.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = "cannot load " + path + ": " + lastErrorText();
        return nullptr;
    }
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (symbol == nullptr) {
        symbol = dlsym(handle, "main");
    }
    if (symbol == nullptr) {
        error = "neither VSTPluginMain nor main is exported by " + path;
        dlclose(handle);
        return nullptr;
    }
    // The generic function pointer type first: the entry's real type is only
    // known by convention.
    auto entry = reinterpret_cast<PluginEntry>(reinterpret_cast<void (*)()>(symbol));
    return std::make_unique<SharedLibrary>(handle, entry, path);
}
