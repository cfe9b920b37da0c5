#include "dll_under_test.h"

namespace {

std::string& path() {
    static std::string value;
    return value;
}

} // namespace

const std::string& dllPath() {
    return path();
}
void setDllPath(const std::string& newPath) {
    path() = newPath;
}

DllInstance::DllInstance(HostSettings settings) : host(settings) {
    module = openPluginModule(dllPath(), error);
    if (module != nullptr && !host.load(module->entry())) {
        error = "main returned null";
    }
}
