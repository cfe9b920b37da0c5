// The native build links the plug-in in: its entry point is `tarvelMain`.
// A path names a native plug-in library instead.
#include "harness/plugin_module.h"
#include "host/module.h"

namespace {

class LinkedPlugin final : public PluginModule {
public:
    PluginEntry entry() const override { return &tarvelMain; }
    std::string description() const override { return "linked-in plug-in"; }
};

} // namespace

std::unique_ptr<PluginModule> openPluginModule(const std::string& path, std::string& error) {
    if (!path.empty()) {
        return openSharedLibraryModule(path, error);
    }
    return std::make_unique<LinkedPlugin>();
}
