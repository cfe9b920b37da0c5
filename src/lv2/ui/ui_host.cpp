#include "ui_host.h"

#include <cstring>

namespace tarvel_lv2 {

const char* readUiFeatures(const LV2_Feature* const* features, UiHost& host) {
    const LV2_Options_Option* options = nullptr;
    const LV2_URID_Map* map = nullptr;
    for (const LV2_Feature* const* f = features; f != nullptr && *f != nullptr; ++f) {
        const char* uri = (*f)->URI;
        void* data = (*f)->data;
        if (uri == nullptr) {
            continue;
        }
        if (std::strcmp(uri, LV2_UI__parent) == 0) {
            host.parent = reinterpret_cast<std::uintptr_t>(data);
        } else if (std::strcmp(uri, LV2_UI__resize) == 0) {
            host.resize = static_cast<const LV2UI_Resize*>(data);
        } else if (std::strcmp(uri, LV2_UI__touch) == 0) {
            host.touch = static_cast<const LV2UI_Touch*>(data);
        } else if (std::strcmp(uri, LV2_OPTIONS__options) == 0) {
            options = static_cast<const LV2_Options_Option*>(data);
        } else if (std::strcmp(uri, LV2_URID__map) == 0) {
            map = static_cast<const LV2_URID_Map*>(data);
        }
    }
    // The map may come after the options in the list.
    host.scaleKeys = mapScaleFactorKeys(map);
    double factor = 0.0;
    if (findScaleFactor(options, host.scaleKeys, factor)) {
        host.scaleFactor = factor;
    }
    if (host.write == nullptr) {
        return "the host gave no write function for the control ports";
    }
    // The panel is a child window; there is nothing to show without one.
    if (host.parent == 0) {
        return "the host gave no parent window (ui:parent)";
    }
    if (host.resize != nullptr && host.resize->ui_resize == nullptr) {
        host.resize = nullptr;
    }
    if (host.touch != nullptr && host.touch->touch == nullptr) {
        host.touch = nullptr;
    }
    return nullptr;
}

} // namespace tarvel_lv2
