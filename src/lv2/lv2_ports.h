// The plug-in's LV2 identity and port indexes; tarvel.ttl describes the same
// ports under the same indexes.
#pragma once

#include <cstdint>

namespace tarvel_lv2 {

constexpr char kPluginUri[] = "https://ostrand.example/plugins/tarvel";
// Its X11 panel, in the UI library of the same bundle.
constexpr char kUiUri[] = "https://ostrand.example/plugins/tarvel#ui";

enum Port : std::uint32_t {
    kInLeft = 0,
    kInRight = 1,
    kOutLeft = 2,
    kOutRight = 3,
    kNcvolume = 4,
    kIpvolume = 5,
    kMidiIn = 6,
    kMidiOut = 7,
    kPortCount = 8,
};

} // namespace tarvel_lv2
