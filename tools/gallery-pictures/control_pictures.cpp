#include "control_pictures.h"

#include <cmath>

#include "shapes.h"

namespace gallery {

namespace {

constexpr double kPi = 3.14159265358979;

constexpr Rgb kPanel{38, 41, 47};
constexpr Rgb kDark{20, 21, 25};
constexpr Rgb kBody{88, 93, 104};
constexpr Rgb kRim{56, 60, 68};
constexpr Rgb kTick{170, 174, 186};
constexpr Rgb kSlotOff{62, 66, 75};
constexpr Rgb kAmber{245, 170, 40};
constexpr Rgb kGreen{70, 210, 90};
constexpr Rgb kYellow{235, 200, 50};
constexpr Rgb kRed{230, 50, 40};
// Left out when a picture is drawn with its transparent colour.
constexpr Rgb kTransparent{255, 255, 255};

// The knob's angle for a value: from the lower left (225°) clockwise over
// 270°, as the knob maps its values.
double knobAngle(double value) {
    return 1.25 * kPi - 1.5 * kPi * value;
}

void knobTicks(Image& image, double cx, double cy) {
    for (int i = 0; i <= 10; ++i) {
        const double a = knobAngle(i / 10.0);
        line(image, cx + std::cos(a) * 20.5, cy - std::sin(a) * 20.5, cx + std::cos(a) * 23.0,
             cy - std::sin(a) * 23.0, 1.3, kTick);
    }
}

// 48 by 48: ticks around a plain body; the handle rides between them.
Image knobBackground() {
    Image image(48, 48, kPanel);
    knobTicks(image, 24, 24);
    disc(image, 24, 24, 15, kRim);
    disc(image, 24, 24, 13.8, kBody);
    disc(image, 21, 20, 6, mix(kBody, kTick, 0.25));
    return image;
}

// 8 by 8: an amber dot on the transparent colour.
Image knobHandle() {
    Image image(8, 8, kTransparent);
    disc(image, 4, 4, 3.4, kAmber);
    disc(image, 3.4, 3.4, 1.3, Rgb{255, 220, 140});
    return image;
}

// 31 images of 48 by 48: the body with an indicator turned to value i / 30.
Image filmstripKnob() {
    std::vector<Image> frames;
    for (int i = 0; i <= 30; ++i) {
        Image image(48, 48, kPanel);
        knobTicks(image, 24, 24);
        disc(image, 24, 24, 17, kRim);
        disc(image, 24, 24, 15.8, kBody);
        const double a = knobAngle(i / 30.0);
        line(image, 24 + std::cos(a) * 6, 24 - std::sin(a) * 6, 24 + std::cos(a) * 14,
             24 - std::sin(a) * 14, 2.5, kAmber);
        frames.push_back(image);
    }
    return stack(frames);
}

// Two images of 40 by 20: off (top) and on, with a lamp and a label bar.
Image toggleButton() {
    std::vector<Image> images;
    for (bool on : {false, true}) {
        Image image(40, 20, kPanel);
        roundRect(image, 1, 1, 39, 19, 4, kRim);
        roundRect(image, 2, 2, 38, 18, 3, kBody);
        disc(image, 10, 10, 4, on ? kGreen : Rgb{40, 70, 46});
        if (on)
            disc(image, 9, 9, 1.5, Rgb{190, 250, 200});
        fillRect(image, 19, 8, 34, 12, kTick);
        images.push_back(image);
    }
    return stack(images);
}

// Four positions: vertical 24 by 64 (zones of 16), horizontal 96 by 24
// (zones of 24); image k has slot k lit.
Image verticalSelector() {
    std::vector<Image> images;
    for (int lit = 0; lit < 4; ++lit) {
        Image image(24, 64, kPanel);
        for (int k = 0; k < 4; ++k)
            roundRect(image, 4, 16 * k + 3, 20, 16 * k + 13, 2, k == lit ? kAmber : kSlotOff);
        images.push_back(image);
    }
    return stack(images);
}

Image horizontalSelector() {
    std::vector<Image> images;
    for (int lit = 0; lit < 4; ++lit) {
        Image image(96, 24, kPanel);
        for (int k = 0; k < 4; ++k)
            roundRect(image, 24 * k + 3, 5, 24 * k + 21, 19, 2, k == lit ? kAmber : kSlotOff);
        images.push_back(image);
    }
    return stack(images);
}

// Three images of 24 by 40: the lever up (-1), centred (0) and down (+1).
Image threeWaySwitch() {
    std::vector<Image> images;
    for (double end : {9.0, 20.0, 31.0}) {
        Image image(24, 40, kPanel);
        roundRect(image, 8, 4, 16, 36, 3, kDark);
        line(image, 12, 20, 12, end, 4, Rgb{150, 155, 165});
        disc(image, 12, end, 4.5, Rgb{200, 204, 212});
        disc(image, 12, 20, 2.5, kRim);
        images.push_back(image);
    }
    return stack(images);
}

Rgb segmentColour(int k) {
    if (k < 6)
        return kGreen;
    return k < 8 ? kYellow : kRed;
}

// Eleven images of 64 by 12: a bar of ten lamps with i of them lit.
Image filmstripView() {
    std::vector<Image> images;
    for (int lit = 0; lit <= 10; ++lit) {
        Image image(64, 12, kDark);
        for (int k = 0; k < 10; ++k) {
            const Rgb c = segmentColour(k);
            fillRect(image, 2 + 6 * k, 2, 7 + 6 * k, 10, k < lit ? c : mix(c, kDark, 0.75));
        }
        images.push_back(image);
    }
    return stack(images);
}

// Two images of 40 by 20: a latching button up (dark lamp) and down (lit).
Image filmstripButton() {
    std::vector<Image> images;
    for (bool down : {false, true}) {
        Image image(40, 20, kPanel);
        roundRect(image, 1, 1, 39, 19, 4, kRim);
        roundRect(image, 2, 2, 38, 18, 3, down ? Rgb{70, 74, 84} : kBody);
        roundRect(image, 15, 8, 25, 12, 1.5, down ? kAmber : Rgb{90, 62, 24});
        images.push_back(image);
    }
    return stack(images);
}

// Two images of 40 by 20: a push button raised and pressed.
Image momentaryButton() {
    std::vector<Image> images;
    for (bool pressed : {false, true}) {
        const Rgb face = pressed ? Rgb{60, 80, 115} : Rgb{84, 110, 150};
        Image image(40, 20, kPanel);
        roundRect(image, 1, 1, 39, 19, 4, kRim);
        roundRect(image, 2, 2, 38, 18, 3, face);
        if (pressed)
            roundRect(image, 3, 3, 37, 6, 1.5, mix(face, kDark, 0.4));
        else
            roundRect(image, 3, 3, 37, 9, 2, mix(face, Rgb{220, 230, 245}, 0.3));
        images.push_back(image);
    }
    return stack(images);
}

// Eight images of 32 by 32: a spinner whose brightest dot goes round clockwise.
Image animation() {
    std::vector<Image> images;
    for (int frame = 0; frame < 8; ++frame) {
        Image image(32, 32, kPanel);
        for (int d = 0; d < 8; ++d) {
            const double a = kPi / 2 - d * kPi / 4;
            const int age = (frame - d + 8) % 8;
            disc(image, 16 + std::cos(a) * 10, 16 - std::sin(a) * 10, 2.6,
                 mix(kAmber, kPanel, age / 8.0));
        }
        images.push_back(image);
    }
    return stack(images);
}

// Ten images of 12 by 20: the digits 0 to 9 on seven segments.
Image digits() {
    // Segments a (top), b, c (right), d (bottom), e, f (left), g (middle).
    struct Segment {
        double x0, y0, x1, y1;
    };
    const Segment segments[7] = {{3.5, 2.5, 8.5, 2.5},   {9.5, 3.5, 9.5, 9.0},
                                 {9.5, 11.0, 9.5, 16.5}, {3.5, 17.5, 8.5, 17.5},
                                 {2.5, 11.0, 2.5, 16.5}, {2.5, 3.5, 2.5, 9.0},
                                 {3.5, 10.0, 8.5, 10.0}};
    const char* lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                           "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    std::vector<Image> images;
    for (const char* on : lit) {
        Image image(12, 20, Rgb{22, 10, 10});
        for (int s = 0; s < 7; ++s) {
            bool isLit = false;
            for (const char* c = on; *c; ++c)
                isLit = isLit || *c - 'a' == s;
            const Segment& g = segments[s];
            line(image, g.x0, g.y0, g.x1, g.y1, 2.0, isLit ? Rgb{235, 50, 35} : Rgb{55, 18, 16});
        }
        images.push_back(image);
    }
    return stack(images);
}

// 160 by 96: one waveform cycle on a dark gradient inside a gold frame.
Image splash() {
    Image image(160, 96, kDark);
    for (int y = 0; y < 96; ++y)
        fillRect(image, 0, y, 160, y + 1, mix(Rgb{30, 34, 60}, Rgb{70, 40, 90}, y / 95.0));
    const Rgb gold{200, 180, 110};
    fillRect(image, 0, 0, 160, 2, gold);
    fillRect(image, 0, 94, 160, 96, gold);
    fillRect(image, 0, 0, 2, 96, gold);
    fillRect(image, 158, 0, 160, 96, gold);
    line(image, 16, 48, 144, 48, 1.0, Rgb{120, 120, 150});
    for (int x = 20; x < 140; ++x) {
        const auto wave = [](double t) { return 48 - 26 * std::sin(2 * kPi * (t - 20) / 120); };
        line(image, x, wave(x), x + 1, wave(x + 1), 2.5, kAmber);
    }
    return image;
}

// The meter's bars: ten segments, green, then yellow, then red; lit on the
// "on" picture, dim on the "off" one. Horizontal 100 by 10 from the left,
// vertical 10 by 100 from the bottom.
Image meter(bool on, bool horizontal) {
    Image image(horizontal ? 100 : 10, horizontal ? 10 : 100, kDark);
    for (int k = 0; k < 10; ++k) {
        const Rgb c = on ? segmentColour(k) : mix(segmentColour(k), kDark, 0.8);
        if (horizontal)
            fillRect(image, 10 * k + 1, 1, 10 * k + 9, 9, c);
        else
            fillRect(image, 1, 100 - 10 * (k + 1) + 1, 9, 100 - 10 * k - 1, c);
    }
    return image;
}

} // namespace

std::vector<NamedPicture> controlPictures() {
    return {
        {"toggle_button.bmp", toggleButton()},
        {"knob_background.bmp", knobBackground()},
        {"knob_handle.bmp", knobHandle()},
        {"filmstrip_knob.bmp", filmstripKnob()},
        {"vertical_selector.bmp", verticalSelector()},
        {"horizontal_selector.bmp", horizontalSelector()},
        {"three_way_switch.bmp", threeWaySwitch()},
        {"filmstrip_view.bmp", filmstripView()},
        {"filmstrip_button.bmp", filmstripButton()},
        {"momentary_button.bmp", momentaryButton()},
        {"animation.bmp", animation()},
        {"digits.bmp", digits()},
        {"splash.bmp", splash()},
        {"meter_on.bmp", meter(true, true)},
        {"meter_off.bmp", meter(false, true)},
        {"meter_on_vertical.bmp", meter(true, false)},
        {"meter_off_vertical.bmp", meter(false, false)},
    };
}

} // namespace gallery
