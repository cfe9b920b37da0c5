#include "library_fixture.h"

#include <dlfcn.h>

std::string LibraryInHost::start() {
    library = dlopen(TARVEL_VST_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return dlerror();
    auto entry = reinterpret_cast<PluginEntry>(dlsym(library, "VSTPluginMain"));
    if (entry == nullptr)
        return "no VSTPluginMain";
    if (!pluginHost.load(entry))
        return "VSTPluginMain refused";
    effect = pluginHost.effect();
    dispatch(effOpen);
    host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
    return host != nullptr ? "" : "no X display";
}

void LibraryInHost::stop() {
    pluginHost.close();
    effect = nullptr;
    if (host)
        x11::destroyHostWindow(host);
    host = nullptr;
    if (library)
        dlclose(library);
    library = nullptr;
}

VstWord LibraryInHost::dispatch(int32 opcode, void* ptr) {
    return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
}

void* LibraryInHost::parentId() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(x11::windowId(host)));
}

std::vector<HostCall> LibraryEditorTest::automations() const {
    std::vector<HostCall> heard;
    for (const HostCall& call : pluginHost.calls())
        if (call.opcode == audioMasterAutomate)
            heard.push_back(call);
    return heard;
}
