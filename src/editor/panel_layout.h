// Where the editor puts things on its panel, in the panel's own units (the
// 268 by 107 picture at a scale of 1). The sliders ride the picture's grooves;
// tests and tools that press, drag or look for a handle read them from here.
#pragma once

#include "gui/geometry.h"

namespace panel_layout {

// Bitmap resources: the panel and the slider handle.
constexpr int kPanelPicture = 128;
constexpr int kHandlePicture = 129;

constexpr int kPanelWidth = 268;
constexpr int kPanelHeight = 107;
constexpr int kHandleSize = 14;

// Both sliders span the grooves from x 11 to 256 and are one handle high.
constexpr int kSliderLeft = 11;
constexpr int kSliderRight = 256;
constexpr int kSliderHeight = kHandleSize;
constexpr int kNcvolumeTop = 49;
constexpr int kIpvolumeTop = 80;

// How far the handle's left edge travels from value 0 to value 1.
constexpr int kTravel = kSliderRight - kSliderLeft - kHandleSize;

inline Rect sliderRect(int top) {
    return Rect(kSliderLeft, top, kSliderRight, top + kSliderHeight);
}
inline Rect ncvolumeSliderRect() {
    return sliderRect(kNcvolumeTop);
}
inline Rect ipvolumeSliderRect() {
    return sliderRect(kIpvolumeTop);
}

// The value a press at panel x gives when the handle jumps under the
// pointer: the slider takes the handle's middle column, of an even-sized
// handle the left one of the two, half a handle less one beyond its left
// edge.
constexpr float valueForPress(int x) {
    return static_cast<float>(x - kSliderLeft - kHandleSize / 2 + 1) / static_cast<float>(kTravel);
}

} // namespace panel_layout
