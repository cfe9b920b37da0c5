// The text converters effects format their parameter displays with. Every
// number form is exactly eight characters, so a 9-byte buffer always holds
// the result.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/number_text.h"
#include "host/audio_effect.h"

static void writeText(char* text, const char* value) {
    if (text != nullptr) {
        std::strcpy(text, value);
    }
}

void AudioEffect::float2string(float value, char* text) {
    numberText(value, text);
}

void AudioEffect::dB2string(float value, char* text) {
    if (value > 0.0f) {
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
    } else {
        writeText(text, "-oo");
    }
}

void AudioEffect::Hz2string(float samples, char* text) {
    const float rate = getSampleRate();
    if (samples == 0.0f || std::isnan(samples)) {
        float2string(0.0f, text);
    } else {
        float2string(static_cast<float>(static_cast<double>(rate) / static_cast<double>(samples)),
                     text);
    }
}

void AudioEffect::ms2string(float samples, char* text) {
    float2string(static_cast<float>(static_cast<double>(samples) * 1000.0 /
                                    static_cast<double>(getSampleRate())),
                 text);
}

void AudioEffect::long2string(int32 value, char* text) {
    if (value >= 100000000) {
        writeText(text, "Huge!");
        return;
    }
    char formatted[16];
    std::snprintf(formatted, sizeof formatted, "%7d", static_cast<int>(value));
    formatted[8] = 0;
    writeText(text, formatted);
}
