// The library's one exported symbol, lv2_descriptor, and the descriptor's
// functions, each handing over to the instance.
#include <lv2/core/lv2.h>

#include <new>

#include "tarvel_lv2.h"

namespace {

using tarvel_lv2::TarvelLv2;

TarvelLv2* instanceOf(LV2_Handle handle) {
    return static_cast<TarvelLv2*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor* /*descriptor*/, double sampleRate,
                       const char* /*bundlePath*/, const LV2_Feature* const* features) {
    tarvel_lv2::HostFeatures host;
    if (const char* reason = tarvel_lv2::readHostFeatures(sampleRate, features, host)) {
        tarvel_lv2::logLine(host, true, reason);
        return nullptr;
    }
    auto* instance = new (std::nothrow) TarvelLv2(sampleRate, host);
    if (instance == nullptr || !instance->ready()) {
        delete instance;
        tarvel_lv2::logLine(host, true, "out of memory for a new instance");
        return nullptr;
    }
    return instance;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    instanceOf(handle)->connect(port, data);
}

void activate(LV2_Handle handle) {
    instanceOf(handle)->activate();
}

void run(LV2_Handle handle, uint32_t frames) {
    instanceOf(handle)->run(frames);
}

void deactivate(LV2_Handle handle) {
    instanceOf(handle)->deactivate();
}

void cleanup(LV2_Handle handle) {
    delete instanceOf(handle);
}

const void* extensionData(const char* /*uri*/) {
    return nullptr;
}

const LV2_Descriptor kDescriptor = {
    tarvel_lv2::kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup,
    extensionData};

} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
