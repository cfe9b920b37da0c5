// The checks every library's entry point makes around creating its effect,
// and the state every instance of the library shares.
#include "host/audio_effect.h"
#include "host/module.h"
#include "host/vst_opcodes.h"

bool outOfMemory = false;

AEffect* openInstance(audioMasterCallback audioMaster,
                      AudioEffect* (*createEffect)(audioMasterCallback)) {
    if (audioMaster == nullptr ||
        audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    AudioEffect* effect = createEffect(audioMaster);
    if (effect == nullptr) {
        return nullptr;
    }
    if (outOfMemory) {
        delete effect;
        return nullptr;
    }
    return effect->getAeffect();
}
