// What the plug-in takes from the host at instantiation: the URID map (which
// the MIDI ports need) and the log, both optional, and the sample rate.
// Refusals name their reason so that instantiate can log it.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/log/log.h>
#include <lv2/urid/urid.h>

#include "midi_atoms.h"

namespace tarvel_lv2 {

struct HostFeatures {
    LV2_URID_Map* map = nullptr; // null: the MIDI ports are left alone
    LV2_Log_Log* log = nullptr;
    AtomTypes types; // mapped when `map` is there
    LV2_URID logError = 0;
    LV2_URID logWarning = 0;
};

// Reads the host's feature list (which may be null) into `host`. Returns null
// when the plug-in can serve these features and this rate, otherwise the
// reason it cannot.
const char* readHostFeatures(double sampleRate, const LV2_Feature* const* features,
                             HostFeatures& host);

// Writes one line to the host's log when it gave one, else to standard
// error. Never called from run.
void logLine(const HostFeatures& host, bool error, const char* text);

} // namespace tarvel_lv2
