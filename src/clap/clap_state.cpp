#include "clap_state.h"

#include <cstdint>
#include <cstring>

#include "core/float_bits.h"

namespace tarvel_clap {

namespace {

constexpr std::uint8_t kMagic[4] = {'T', 'R', 'V', 'L'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kStateSize = 4 + 4 + 4 + 4;

void putWord(std::uint8_t* out, std::uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
}

std::uint32_t wordAt(const std::uint8_t* in) {
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) {
        word |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return word;
}

bool isGain(float value) {
    return value >= 0.0f && value <= 1.0f;
}

} // namespace

bool writeState(const clap::OStream& stream, const SavedState& state) {
    std::uint8_t bytes[kStateSize];
    std::memcpy(bytes, kMagic, sizeof kMagic);
    putWord(bytes + 4, kFormatVersion);
    putWord(bytes + 8, bitsOf(state.ncvolume));
    putWord(bytes + 12, bitsOf(state.ipvolume));
    if (stream.write == nullptr) {
        return false;
    }
    std::size_t done = 0;
    while (done < kStateSize) {
        const std::int64_t written = stream.write(&stream, bytes + done, kStateSize - done);
        if (written <= 0 || static_cast<std::uint64_t>(written) > kStateSize - done) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool readState(const clap::IStream& stream, SavedState& state) {
    if (stream.read == nullptr) {
        return false;
    }
    // One byte more than a state: there must be none.
    std::uint8_t bytes[kStateSize + 1];
    std::size_t done = 0;
    while (done < sizeof bytes) {
        const std::int64_t got = stream.read(&stream, bytes + done, sizeof bytes - done);
        if (got < 0 || static_cast<std::uint64_t>(got) > sizeof bytes - done) {
            return false;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (done != kStateSize || std::memcmp(bytes, kMagic, sizeof kMagic) != 0 ||
        wordAt(bytes + 4) != kFormatVersion) {
        return false;
    }
    const SavedState read{floatOf(wordAt(bytes + 8)), floatOf(wordAt(bytes + 12))};
    if (!isGain(read.ncvolume) || !isGain(read.ipvolume)) {
        return false;
    }
    state = read;
    return true;
}

} // namespace tarvel_clap
