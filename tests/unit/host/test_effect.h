// A minimal concrete effect for exercising the base classes on their own.
#pragma once

#include <cstring>
#include <limits>

#include "host/audio_effect_x.h"

class TestEffect : public AudioEffectX {
public:
    explicit TestEffect(audioMasterCallback host = nullptr, int32 programs = 1, int32 params = 2)
        : AudioEffectX(host, programs, params) {}
    void process(float** /*inputs*/, float** /*outputs*/, int32 /*sampleFrames*/) override {}
};
