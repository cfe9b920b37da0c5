// The bits of a float and back, without changing a bit on the way: for
// selections made with masks and for values stored as words.
#pragma once

#include <cstdint>
#include <cstring>

inline std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float floatOf(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
