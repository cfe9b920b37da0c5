// One stored program of the effect: the two parameter values and the name
// the host shows for it. A value record, copied whole.
#pragma once

#include <atomic>
#include <cstring>

#include "host/vst_types.h"

// Program names hold at most 23 characters and their terminator, the size
// hosts reserve for them.
constexpr int32 kProgramNameSize = 24;

struct TarvelProgram {
    // The current program's values are written from both of the host's
    // threads: host automation on the user-interface thread, controller 1
    // and program changes on the audio thread. Each is one word, stored and
    // loaded whole; no ordering between them is needed. The name is only
    // touched from the user-interface thread.
    std::atomic<float> ncvolume{1.0f};
    std::atomic<float> ipvolume{1.0f};
    char name[kProgramNameSize] = "Init";

    TarvelProgram() = default;
    TarvelProgram(const TarvelProgram& other) { *this = other; }
    TarvelProgram& operator=(const TarvelProgram& other) {
        if (this != &other) {
            ncvolume.store(other.ncvolume.load(std::memory_order_relaxed),
                           std::memory_order_relaxed);
            ipvolume.store(other.ipvolume.load(std::memory_order_relaxed),
                           std::memory_order_relaxed);
            std::memcpy(name, other.name, sizeof name);
        }
        return *this;
    }
};

// Two plain words and the name, as before the values became atomic.
static_assert(sizeof(TarvelProgram) == 2 * sizeof(float) + kProgramNameSize,
              "a program is two words and its name");
static_assert(std::atomic<float>::is_always_lock_free, "program values are plain atomic words");
