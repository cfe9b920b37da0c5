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
// The record found last and its host: the callback runs inside the blocks a
// benchmark times, and most programs drive one instance, so the search is
// left out for it. Until then it is a record no plug-in passes, not null,
// which the version query passes.
const AEffect noRecord{};
const AEffect* lastFound = &noRecord;
PluginHost* lastFoundHost = nullptr;

// Any record but the one found last: searched for, then answered. Out of
// line, so that the callback's common case makes no call but the answer.
[[gnu::noinline]] VstWord answerAfterSearch(AEffect* effect, int32 opcode, int32 index,
                                            VstWord value, void* ptr, float opt) {
    PluginHost* host = loadingHost;
    if (effect != nullptr) {
        for (const auto& entry : registry()) {
            if (entry.first == effect) {
                lastFound = effect;
                lastFoundHost = entry.second;
                host = entry.second;
                break;
            }
        }
    }
    if (host == nullptr) {
        // A record no host of this process knows: nothing to record, nothing granted.
        return 0;
    }
    return host->answer(effect, opcode, index, value, ptr, opt);
}

} // namespace

VstWord VSTCALL harnessHostCallback(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                    void* ptr, float opt) {
    if (effect == lastFound) {
        return lastFoundHost->answer(effect, opcode, index, value, ptr, opt);
    }
    return answerAfterSearch(effect, opcode, index, value, ptr, opt);
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
    if (effect == lastFound) {
        lastFound = &noRecord;
        lastFoundHost = nullptr;
    }
}
