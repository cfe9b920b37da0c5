// The plug-in's saved state: "TRVL", a format version, and the two gains,
// all little-endian. Written whole and read whole through the host's
// streams, which may move any number of bytes per call.
#pragma once

#include "clap_abi.h"

namespace tarvel_clap {

struct SavedState {
    float ncvolume;
    float ipvolume;
};

bool writeState(const clap::OStream& stream, const SavedState& state);
// False, with `state` untouched, for anything but a whole state of this
// version with gains from 0 to 1 and nothing after it.
bool readState(const clap::IStream& stream, SavedState& state);

} // namespace tarvel_clap
