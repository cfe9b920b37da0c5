// The parameters' display texts: every number form is exactly eight
// characters, so a 9-byte buffer always holds the result.
#include "core/number_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

void writeText(char* text, const char* value) {
    if (text != nullptr) {
        std::strcpy(text, value);
    }
}

} // namespace

// Digits are taken from the right by multiplying with 0.1 and truncating, as
// hosts have always seen them: no rounding, so 0.9999999 never shows as 1.
void numberText(float value, char* text) {
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

void decibelText(float gain, char* text) {
    if (gain > 0.0f) {
        numberText(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
    } else {
        writeText(text, "-oo");
    }
}

namespace {

// Reads "-oo" or a number of decibels, then an optional "dB", with spaces
// around; false for anything else.
bool readDecibels(const char* text, bool& silent, double& decibels, char* typed,
                  std::size_t typedSize) {
    if (text == nullptr) {
        return false;
    }
    while (*text == ' ') {
        ++text;
    }
    silent = std::strncmp(text, "-oo", 3) == 0;
    if (silent) {
        text += 3;
    } else {
        // strtod reads the number as the C locale writes it: this library
        // never changes the process's locale, and its texts use a point.
        char* end = nullptr;
        decibels = std::strtod(text, &end);
        if (end == text || !std::isfinite(decibels)) {
            return false;
        }
        const std::size_t length = static_cast<std::size_t>(end - text);
        if (length < typedSize) {
            std::memcpy(typed, text, length);
            typed[length] = '\0';
        }
        text = end;
    }
    while (*text == ' ') {
        ++text;
    }
    if (std::strncmp(text, "dB", 2) == 0) {
        text += 2;
    }
    while (*text == ' ') {
        ++text;
    }
    return *text == '\0';
}

} // namespace

// The texts truncate, so the gain nearest the decibels may show one digit
// lower: the nearest gain whose text is the number's own is taken instead,
// and reading a text back shows that same text.
bool gainFromDecibelText(const char* text, double& gain) {
    bool silent = false;
    double decibels = 0.0;
    char typed[16] = {};
    if (!readDecibels(text, silent, decibels, typed, sizeof typed)) {
        return false;
    }
    if (silent) {
        gain = 0.0;
        return true;
    }
    // The text wanted back: the number as typed where numberText writes it
    // for a float within a few steps of it, else the nearest float's.
    char wanted[16];
    numberText(static_cast<float>(decibels), wanted);
    float candidate = static_cast<float>(decibels);
    for (int step = 0; step < 4; ++step) {
        candidate = std::nextafter(candidate, decibels < 0.0 ? -INFINITY : INFINITY);
        char shown[16];
        numberText(candidate, shown);
        if (std::strcmp(shown, typed) == 0) {
            std::strcpy(wanted, typed);
            break;
        }
    }
    const float nearest = static_cast<float>(std::pow(10.0, decibels / 20.0));
    float up = nearest;
    float down = nearest;
    char shown[16];
    for (int step = 0; step < 64; ++step) {
        decibelText(up, shown);
        if (std::strcmp(shown, wanted) == 0) {
            gain = static_cast<double>(up);
            return true;
        }
        decibelText(down, shown);
        if (std::strcmp(shown, wanted) == 0) {
            gain = static_cast<double>(down);
            return true;
        }
        up = std::nextafter(up, 2.0f * up + 1.0f);
        down = std::nextafter(down, 0.0f);
    }
    gain = static_cast<double>(nearest);
    return true;
}
