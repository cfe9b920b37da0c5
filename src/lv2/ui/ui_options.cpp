#include "ui_options.h"

#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>

#include <cstring>

namespace tarvel_lv2 {

ScaleFactorKeys mapScaleFactorKeys(const LV2_URID_Map* map) {
    ScaleFactorKeys keys;
    if (map == nullptr || map->map == nullptr) {
        return keys;
    }
    keys.scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    keys.atomFloat = map->map(map->handle, LV2_ATOM__Float);
    keys.atomDouble = map->map(map->handle, LV2_ATOM__Double);
    return keys;
}

bool readScaleFactor(const LV2_Options_Option& option, const ScaleFactorKeys& keys,
                     double& factor) {
    if (keys.scaleFactor == 0 || option.context != LV2_OPTIONS_INSTANCE ||
        option.key != keys.scaleFactor || option.value == nullptr) {
        return false;
    }
    if (option.type == keys.atomFloat && option.size == sizeof(float)) {
        float value = 0.0f;
        std::memcpy(&value, option.value, sizeof value);
        factor = static_cast<double>(value);
        return true;
    }
    if (option.type == keys.atomDouble && option.size == sizeof(double)) {
        std::memcpy(&factor, option.value, sizeof factor);
        return true;
    }
    return false;
}

bool findScaleFactor(const LV2_Options_Option* options, const ScaleFactorKeys& keys,
                     double& factor) {
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        if (readScaleFactor(*o, keys, factor)) {
            return true;
        }
    }
    return false;
}

} // namespace tarvel_lv2
