// Where everything on the two plug-in pictures goes, in pixels of the
// picture. The editor places its sliders over these same coordinates: each
// groove lies at the vertical middle of a slider (tops 49 and 80, 14 high),
// so the handle rides on it.
#pragma once

#include "image.h"

namespace pictures {

// Resource 128: the panel.
constexpr int panelWidth = 268;
constexpr int panelHeight = 107;

// The outline: three one-pixel rings, the outermost one pixel in from the
// picture's edge, listed from outside in. The bottom edge is shaded
// differently from the other three, as a ledge.
constexpr Rgb outlineSides[3] = {grey(232), grey(141), grey(232)};
constexpr Rgb outlineBottom[3] = {grey(232), grey(157), grey(249)};
constexpr int outlineInset = 1;

// Each groove is three rows, listed top to bottom, running from x 10 to 256.
constexpr Rgb grooveRows[3] = {grey(232), grey(157), grey(249)};
constexpr int grooveLeft = 10;
constexpr int grooveRight = 256;
constexpr int grooveTops[2] = {55, 86};

constexpr Rgb letteringInk = grey(128);

enum class Anchor { left, right };

// A line of lettering: its ink is exactly as tall as box and starts at
// box.left (or ends at box.right), never leaving the box.
struct Lettering {
    const char* text;
    const char* fontFile;
    Box box;
    Anchor anchor;
};

constexpr Lettering panelLettering[] = {
    {"Tarvel", "LiberationSans-Bold.ttf", Box{10, 10, 115, 26}, Anchor::left},
    {"Ostrand", "LiberationSans-Regular.ttf", Box{160, 11, 256, 24}, Anchor::right},
    {"New Cycle Volume", "LiberationSans-Regular.ttf", Box{11, 34, 256, 47}, Anchor::left},
    {"Input Volume", "LiberationSans-Regular.ttf", Box{11, 65, 256, 78}, Anchor::left},
};

// Resource 129: the slider handle, a disc on white. White is the colour the
// slider leaves out when it draws the handle, so the disc holds none.
constexpr int handleSize = 14;

} // namespace pictures
