// The host's options the panel reads: the scale factor (ui:scaleFactor) the
// host draws its windows at, given at instantiation in the options feature
// and set again later through the options interface. Reading one needs the
// host's URID map, to know the option's key and its value's type.
#pragma once

#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

namespace tarvel_lv2 {

// The URIDs a scale factor option is recognised by; all 0 without a map.
struct ScaleFactorKeys {
    LV2_URID scaleFactor = 0;
    LV2_URID atomFloat = 0;
    LV2_URID atomDouble = 0;
};

ScaleFactorKeys mapScaleFactorKeys(const LV2_URID_Map* map);

// True and `factor` set when `option` is an instance option of the scale
// factor's key holding a float or a double of the right size. The factor's
// own sense (a number, above 0) is the panel's to judge.
bool readScaleFactor(const LV2_Options_Option& option, const ScaleFactorKeys& keys, double& factor);
// The first scale factor readScaleFactor finds in a zero-terminated option
// list (null for none).
bool findScaleFactor(const LV2_Options_Option* options, const ScaleFactorKeys& keys,
                     double& factor);

} // namespace tarvel_lv2
