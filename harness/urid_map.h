// A host's URID map for the LV2 plug-in: every URI gets the next number the
// first time it is asked for, and keeps it. What tarvel-render hands the
// bundle, and what the LV2 tests and fuzz target stand in for a host with.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

class UridMap {
public:
    UridMap() {
        map_.handle = this;
        map_.map = [](LV2_URID_Map_Handle handle, const char* uri) {
            return static_cast<UridMap*>(handle)->map(uri);
        };
        feature_ = {LV2_URID__map, &map_};
    }
    // The map and the feature point back at this object.
    UridMap(const UridMap&) = delete;
    UridMap& operator=(const UridMap&) = delete;

    LV2_URID map(const char* uri) {
        for (std::size_t i = 0; i < uris.size(); ++i) {
            if (uris[i] == uri) {
                return static_cast<LV2_URID>(i + 1);
            }
        }
        uris.emplace_back(uri);
        return static_cast<LV2_URID>(uris.size());
    }
    // The map as a plug-in receives it, and the feature that carries it.
    LV2_URID_Map* lv2Map() { return &map_; }
    const LV2_Feature* feature() const { return &feature_; }

private:
    std::vector<std::string> uris;
    LV2_URID_Map map_{};
    LV2_Feature feature_{};
};
