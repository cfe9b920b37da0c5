// Helpers for derived effects that describe their speaker arrangements. An
// arrangement is one block: the two header fields and numChannels speaker
// records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/audio_effect_x.h"

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, int32 numChannels) {
    constexpr std::size_t header = offsetof(VstSpeakerArrangement, speakers);
    // On 32-bit targets a large count would wrap the block size below and
    // yield a block far smaller than numChannels records.
    constexpr std::size_t maxChannels = (SIZE_MAX - header) / sizeof(VstSpeakerProperties);
    if (arrangement == nullptr || numChannels < 0 ||
        static_cast<std::size_t>(numChannels) > maxChannels) {
        return false;
    }
    if (*arrangement != nullptr) {
        std::free(*arrangement);
        // Never leave the caller holding released memory, even if the new
        // allocation below fails.
        *arrangement = nullptr;
    }
    const std::size_t size =
        header + static_cast<std::size_t>(numChannels) * sizeof(VstSpeakerProperties);
    void* block = std::calloc(1, size);
    if (block == nullptr) {
        return false;
    }
    *arrangement = static_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = numChannels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement != nullptr && *arrangement != nullptr) {
        std::free(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (to == nullptr || from == nullptr) {
        return false;
    }
    // The name is bounded by its field even when the source lacks a terminator.
    std::strncpy(to->name, from->name, sizeof to->name - 1);
    to->name[sizeof to->name - 1] = 0;
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof to->future);
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (from == nullptr) {
        return false;
    }
    // An arrangement already matches itself; releasing the target here would
    // release the source before it is read.
    if (to != nullptr && *to == from) {
        return true;
    }
    deallocateArrangement(to);
    if (!allocateArrangement(to, from->numChannels)) {
        return false;
    }
    (*to)->type = from->type;
    // Both blocks hold numChannels records, which may be more than the
    // record's declared array.
    VstSpeakerProperties* target = (*to)->speakers;
    VstSpeakerProperties* source = from->speakers;
    for (int32 i = 0; i < from->numChannels; ++i) {
        if (!copySpeaker(target + i, source + i)) {
            return false;
        }
    }
    return true;
}
