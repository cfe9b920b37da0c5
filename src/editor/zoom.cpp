#include "editor/zoom.h"

#include <cmath>
#include <cstdio>

#include "gui/scale.h"
#include "platform/settings_files.h"

bool operator==(const ZoomPreference& a, const ZoomPreference& b) {
    return a.zoom == b.zoom && a.followDisplay == b.followDisplay;
}

namespace zoom {

namespace {

// Written to this many decimals; more than any choice needs.
constexpr long long kDecimalsScale = 10000;
// Digits beyond these are not a zoom anyone wrote.
constexpr int kMostIntegerDigits = 3;
constexpr int kMostFractionDigits = 9;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// One line cut into its two words; false unless it holds exactly two.
struct Words {
    const char* key = nullptr;
    std::size_t keyLength = 0;
    const char* value = nullptr;
    std::size_t valueLength = 0;
};

bool splitLine(const char* line, std::size_t length, Words& words) {
    const char* parts[2] = {};
    std::size_t lengths[2] = {};
    int count = 0;
    std::size_t i = 0;
    while (i < length) {
        while (i < length && isBlank(line[i]))
            ++i;
        if (i == length)
            break;
        if (count == 2)
            return false;
        parts[count] = line + i;
        while (i < length && !isBlank(line[i]))
            ++i;
        lengths[count] = static_cast<std::size_t>(line + i - parts[count]);
        ++count;
    }
    if (count != 2)
        return false;
    words = Words{parts[0], lengths[0], parts[1], lengths[1]};
    return true;
}

bool equals(const char* word, std::size_t length, const char* expected) {
    std::size_t i = 0;
    for (; i < length; ++i)
        if (expected[i] == '\0' || expected[i] != word[i])
            return false;
    return expected[i] == '\0';
}

// A plain decimal number, "2", "1.5" or "1.25": digits, at most one point,
// no sign and no exponent; computed from whole numbers so that it reads the
// same on every system and in every locale.
bool readNumber(const char* text, std::size_t length, double& number) {
    long long whole = 0;
    long long fraction = 0;
    long long fractionScale = 1;
    int integerDigits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (!point) {
                if (++integerDigits > kMostIntegerDigits)
                    return false;
                whole = whole * 10 + (c - '0');
            } else {
                if (++fractionDigits > kMostFractionDigits)
                    return false;
                fraction = fraction * 10 + (c - '0');
                fractionScale *= 10;
            }
        } else {
            return false;
        }
    }
    if (integerDigits == 0 || (point && fractionDigits == 0))
        return false;
    number = static_cast<double>(whole) +
             static_cast<double>(fraction) / static_cast<double>(fractionScale);
    return true;
}

bool inRange(double zoom) {
    return zoom >= kSmallestZoom && zoom <= kLargestZoom;
}

void readLine(const char* line, std::size_t length, ZoomPreference& preference) {
    Words words;
    if (!splitLine(line, length, words))
        return;
    if (equals(words.key, words.keyLength, "zoom")) {
        double zoom = 0;
        if (readNumber(words.value, words.valueLength, zoom) && inRange(zoom))
            preference.zoom = zoom;
    } else if (equals(words.key, words.keyLength, "follow-display")) {
        if (equals(words.value, words.valueLength, "yes"))
            preference.followDisplay = true;
        else if (equals(words.value, words.valueLength, "no"))
            preference.followDisplay = false;
    }
}

} // namespace

ZoomPreference parsePreference(const char* text, std::size_t length) {
    ZoomPreference preference;
    if (!text)
        return preference;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i == length || text[i] == '\n') {
            readLine(text + start, i - start, preference);
            start = i + 1;
        }
    }
    return preference;
}

bool formatPreference(const ZoomPreference& preference, char* text, std::size_t capacity) {
    if (!text || capacity == 0)
        return false;
    // Only a zoom the file can hold is written: the nearest in range, and
    // the default for no number at all.
    double zoom = preference.zoom;
    if (!(zoom == zoom))
        zoom = 1;
    zoom = zoom < kSmallestZoom ? kSmallestZoom : (zoom > kLargestZoom ? kLargestZoom : zoom);
    const long long scaled = std::llround(zoom * static_cast<double>(kDecimalsScale));
    const long long whole = scaled / kDecimalsScale;
    long long fraction = scaled % kDecimalsScale;
    // The decimals without trailing zeros: "1.5", "1.25", or none for "2".
    char decimals[8] = {};
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        std::snprintf(decimals, sizeof decimals, ".%0*lld", digits, fraction);
    }
    const int written = std::snprintf(text, capacity, "zoom %lld%s\nfollow-display %s\n", whole,
                                      decimals, preference.followDisplay ? "yes" : "no");
    return written > 0 && static_cast<std::size_t>(written) < capacity;
}

ZoomPreference loadPreference() {
    char text[kLongestFile];
    std::size_t length = 0;
    if (!platform::readSettingsFile(kFileName, text, sizeof text, length))
        return ZoomPreference{};
    return parsePreference(text, length);
}

bool savePreference(const ZoomPreference& preference) {
    char text[128];
    if (!formatPreference(preference, text, sizeof text))
        return false;
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return platform::writeSettingsFile(kFileName, text, length);
}

} // namespace zoom

double editorScale(double displayScale, const ZoomPreference& preference) {
    return scale::pictureScale((preference.followDisplay ? displayScale : 1.0) * preference.zoom);
}
