#include "editor/effect_parameters.h"

#include "host/audio_effect_x.h"

float EffectParameters::value(int32 index) {
    return effect ? effect->getParameter(index) : 0.0f;
}

void EffectParameters::beginEdit(int32 index) {
    if (effect)
        static_cast<AudioEffectX*>(effect)->beginEdit(index);
}

// The effect takes the value, then the host hears of it as automation.
void EffectParameters::adjust(int32 index, float value) {
    if (effect)
        effect->setParameterAutomated(index, value);
}

bool EffectParameters::endEdit(int32 index) {
    return effect && static_cast<AudioEffectX*>(effect)->endEdit(index);
}
