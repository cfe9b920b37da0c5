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

bool findScaleFactor(const LV2_Options_Option* options, const ScaleFactorKeys& keys,
                     double& factor) {
    if (keys.scaleFactor == 0) {
        return false;
    }
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        if (o->context != LV2_OPTIONS_INSTANCE || o->key != keys.scaleFactor ||
            o->value == nullptr) {
            continue;
        }
        if (o->type == keys.atomFloat && o->size == sizeof(float)) {
            float value = 0.0f;
            std::memcpy(&value, o->value, sizeof value);
            factor = static_cast<double>(value);
            return true;
        }
        if (o->type == keys.atomDouble && o->size == sizeof(double)) {
            std::memcpy(&factor, o->value, sizeof factor);
            return true;
        }
    }
    return false;
}

} // namespace tarvel_lv2
