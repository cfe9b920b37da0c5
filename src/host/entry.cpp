// The library's face towards the host: the entry point that creates an
// instance, and the state every instance of the library shares.
#include "host/AudioEffect.h"
#include "host/module.h"
#include "host/vst_opcodes.h"

void* hInstance = nullptr;
bool outOfMemory = false;

extern "C" AEffect* VSTCALL tarvelMain(audioMasterCallback audioMaster) {
    if (audioMaster == nullptr ||
        audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    AudioEffect* effect = createEffectInstance(audioMaster);
    if (effect == nullptr) {
        return nullptr;
    }
    if (outOfMemory) {
        delete effect;
        return nullptr;
    }
    return effect->getAeffect();
}
