#include "library_fixture.h"

#include <dlfcn.h>

void LibraryEditorTest::SetUp() {
    library = dlopen(TARVEL_VST_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry = reinterpret_cast<PluginEntry>(dlsym(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(pluginHost.load(entry));
    effect = pluginHost.effect();
    dispatch(effOpen);
    host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
    ASSERT_NE(host, nullptr) << "no X display";
}

void LibraryEditorTest::TearDown() {
    pluginHost.close();
    if (host)
        x11::destroyHostWindow(host);
    if (library)
        dlclose(library);
}

VstWord LibraryEditorTest::dispatch(int32 opcode, void* ptr) {
    return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
}

void* LibraryEditorTest::parentId() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(x11::windowId(host)));
}

std::vector<HostCall> LibraryEditorTest::automations() const {
    std::vector<HostCall> heard;
    for (const HostCall& call : pluginHost.calls())
        if (call.opcode == audioMasterAutomate)
            heard.push_back(call);
    return heard;
}
