// One stored program of the effect: the two parameter values and the name
// the host shows for it. A plain value record, copied whole.
#pragma once

#include "host/vst_types.h"

// Program names hold at most 23 characters and their terminator, the size
// hosts reserve for them.
constexpr int32 kProgramNameSize = 24;

struct TarvelProgram {
    float ncvolume = 1.0f;
    float ipvolume = 1.0f;
    char name[kProgramNameSize] = "Init";
};
