// The editor's parameters as a VST 2.x effect has them: its values, and an
// edit made of the host's begin and end edit calls around automated changes.
#pragma once

#include "editor/parameter_control.h"

class AudioEffect;

class EffectParameters final : public ParameterControl {
public:
    // The effect is an AudioEffectX, as every effect of this system is.
    explicit EffectParameters(AudioEffect* owner) : effect(owner) {}

    float value(int32 index) override;
    void beginEdit(int32 index) override;
    void adjust(int32 index, float value) override;
    bool endEdit(int32 index) override;

private:
    AudioEffect* effect;
};
