#include "host_features.h"

#include <lv2/midi/midi.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tarvel_lv2 {

const char* readHostFeatures(double sampleRate, const LV2_Feature* const* features,
                             HostFeatures& host) {
    host = HostFeatures{};
    LV2_URID_Map* map = nullptr;
    bool mapGiven = false;
    for (const LV2_Feature* const* entry = features; entry != nullptr && *entry != nullptr;
         ++entry) {
        const LV2_Feature& feature = **entry;
        if (feature.URI == nullptr) {
            continue;
        }
        if (std::strcmp(feature.URI, LV2_URID__map) == 0) {
            mapGiven = true;
            map = static_cast<LV2_URID_Map*>(feature.data);
        } else if (std::strcmp(feature.URI, LV2_LOG__log) == 0) {
            auto* log = static_cast<LV2_Log_Log*>(feature.data);
            host.log = log != nullptr && log->printf != nullptr ? log : nullptr;
        }
    }
    if (mapGiven) {
        if (map == nullptr || map->map == nullptr) {
            return "the host's urid:map feature carries no map";
        }
        host.types.sequence = map->map(map->handle, LV2_ATOM__Sequence);
        host.types.midiEvent = map->map(map->handle, LV2_MIDI__MidiEvent);
        if (host.types.sequence == 0 || host.types.midiEvent == 0) {
            return "the host's urid:map maps the atom and MIDI types to 0";
        }
        host.logError = map->map(map->handle, LV2_LOG__Error);
        host.logWarning = map->map(map->handle, LV2_LOG__Warning);
        host.map = map;
    }
    // The effect keeps its rate as a float and measures cycles in frames, so
    // every rate a float holds serves alike; others are no rate at all.
    if (!std::isfinite(sampleRate) || sampleRate <= 0.0 ||
        sampleRate > static_cast<double>(FLT_MAX)) {
        return "the sample rate is not a positive number of frames per second";
    }
    return nullptr;
}

void logLine(const HostFeatures& host, bool error, const char* text) {
    // A log message needs its type as a URID: without the map, standard error.
    if (host.log != nullptr && host.map != nullptr) {
        host.log->printf(host.log->handle, error ? host.logError : host.logWarning, "tarvel: %s\n",
                         text);
        return;
    }
    std::fprintf(stderr, "tarvel: %s\n", text);
}

} // namespace tarvel_lv2
