// The text converters effects format their parameter displays with. Every
// number form is exactly eight characters, so a 9-byte buffer always holds
// the result.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/AudioEffect.h"

static void writeText(char* text, const char* value) {
    if (text != nullptr) {
        std::strcpy(text, value);
    }
}

// Digits are taken from the right by multiplying with 0.1 and truncating, as
// hosts have always seen them: no rounding, so 0.9999999 never shows as 1.
void AudioEffect::float2string(float value, char* text) {
    if (text == nullptr) {
        return;
    }
    double v = static_cast<double>(value);
    if (std::isnan(v)) {
        writeText(text, "NaN");
        return;
    }
    const bool negative = v < 0.0;
    int count = 0;
    if (negative) {
        v = -v;
        count = 1;
    }
    // Seven integer digits fit beside the point (six beside a minus sign).
    // Larger values would lose their leading digits; they read "Huge!".
    if (v >= (negative ? 1000000.0 : 10000000.0)) {
        writeText(text, "Huge!");
        return;
    }

    char integerDigits[8];
    int integerCount = 0;
    count += 1; // the decimal point
    double integ = std::floor(v);
    do {
        integerDigits[integerCount++] =
            static_cast<char>('0' + static_cast<int>(std::fmod(integ, 10.0)));
        count += 1;
        integ *= 0.1;
    } while (integ >= 1.0 && count < 8);

    char* out = text;
    if (negative) {
        *out++ = '-';
    }
    while (integerCount > 0) {
        *out++ = integerDigits[--integerCount];
    }
    *out++ = '.';

    const int fractionCount = 8 - count;
    if (fractionCount > 0) {
        double mantissa = std::fmod(v, 1.0) * std::pow(10.0, fractionCount);
        for (int i = fractionCount - 1; i >= 0; --i) {
            int digit = 0;
            if (mantissa > 0.0) {
                digit = static_cast<int>(std::fmod(mantissa, 10.0));
                mantissa *= 0.1;
            }
            out[i] = static_cast<char>('0' + digit);
        }
        out += fractionCount;
    }
    *out = 0;
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
