#include "library_fixture.h"

#include <dlfcn.h>

namespace {

std::vector<Automation>* automations = nullptr;

VstWord VSTCALL hostCallback(AEffect*, int32 opcode, int32 index, VstWord, void*, float opt) {
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterAutomate && automations)
        automations->push_back(Automation{index, opt});
    return 0;
}

} // namespace

void LibraryEditorTest::SetUp() {
    library = dlopen(TARVEL_VST_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry =
        reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    effect = entry(hostCallback);
    ASSERT_NE(effect, nullptr);
    dispatch(effOpen);
    host = x11::createHostWindow(kScreenX, kScreenY, 400, 300);
    ASSERT_NE(host, nullptr) << "no X display";
    automations = &heard;
}

void LibraryEditorTest::TearDown() {
    automations = nullptr;
    if (effect)
        dispatch(effClose);
    if (host)
        x11::destroyHostWindow(host);
    if (library)
        dlclose(library);
}

VstWord LibraryEditorTest::dispatch(int32 opcode, void* ptr, int32 index, VstWord value) {
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
}

void* LibraryEditorTest::parentId() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(x11::windowId(host)));
}
