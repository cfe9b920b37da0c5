// The harness drives its plug-ins from one thread (the Windows toolchain has
// no standard mutex), so the registry is a plain list.
#include "harness/host_registry.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "harness/plugin_host.h"

namespace {

std::vector<std::pair<const AEffect*, PluginHost*>>& registry() {
    static std::vector<std::pair<const AEffect*, PluginHost*>> entries;
    return entries;
}

PluginHost* loadingHost = nullptr;

PluginHost* hostFor(const AEffect* effect) {
    if (effect != nullptr) {
        for (const auto& entry : registry()) {
            if (entry.first == effect) {
                return entry.second;
            }
        }
    }
    return loadingHost;
}

} // namespace

VstWord VSTCALL harnessHostCallback(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                    void* ptr, float opt) {
    PluginHost* host = hostFor(effect);
    if (host == nullptr) {
        // A record no host of this process knows: nothing to record, nothing granted.
        return 0;
    }
    return host->answer(effect, opcode, index, value, ptr, opt);
}

AEffect* loadWithHost(PluginHost* host, AEffect*(VSTCALL* entry)(audioMasterCallback)) {
    loadingHost = host;
    AEffect* effect = entry(&harnessHostCallback);
    loadingHost = nullptr;
    if (effect != nullptr) {
        registerEffect(effect, host);
    }
    return effect;
}

void registerEffect(const AEffect* effect, PluginHost* host) {
    registry().emplace_back(effect, host);
}

void unregisterEffect(const AEffect* effect) {
    auto& entries = registry();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [effect](const auto& entry) { return entry.first == effect; }),
                  entries.end());
}
