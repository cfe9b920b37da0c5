#include "shape_scenes.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr int kPenSolid = 0, kPenDot = 2, kPenNull = 5;

void rectangles(CanvasOps& c) {
    c.fillRect(1, 1, 10, 10, kRed);
    c.fillRect(12, 3, 13, 40, kGreen);
    c.fillRect(20, 20, 20, 30, kWhite); // empty
    c.fillRect(30, 5, 31, 6, kWhite);   // one pixel
    c.fillRect(-5, 50, 8, 70, kRed);    // off the edges
    c.pen(kPenSolid, 1, kWhite);
    c.moveTo(40, 40); // an outline as the toolkit draws it
    c.lineTo(60, 40);
    c.lineTo(60, 60);
    c.lineTo(40, 60);
    c.lineTo(40, 40);
}

void invertedRectangle(CanvasOps& c) {
    c.fillRect(30, 30, 20, 20, kRed);
}

void linesAllDirections(CanvasOps& c) {
    c.pen(kPenSolid, 1, kWhite);
    const XY ends[] = {{63, 32}, {63, 45}, {63, 63}, {45, 63}, {32, 63}, {19, 63}, {0, 63},
                       {0, 45},  {0, 32},  {0, 19},  {0, 0},   {19, 0},  {32, 0},  {45, 0},
                       {63, 0},  {63, 19}, {60, 37}, {37, 60}, {5, 40},  {40, 5}};
    for (const XY& e : ends) {
        c.moveTo(32, 32);
        c.lineTo(e.x, e.y);
    }
}

void linesReversed(CanvasOps& c) {
    c.pen(kPenSolid, 1, kGreen);
    const XY ends[] = {{61, 37}, {37, 61}, {3, 40}, {40, 3}, {2, 29}, {29, 2}, {60, 30}};
    for (const XY& e : ends) {
        c.moveTo(e.x, e.y);
        c.lineTo(31, 33);
    }
}

void polylines(CanvasOps& c) {
    c.pen(kPenSolid, 1, kRed);
    c.polyline({{2, 2}, {30, 2}, {30, 30}, {2, 30}, {2, 3}});
    c.polyline({{40, 10}, {60, 50}, {35, 55}, {50, 12}});
}

void dottedTransparent(CanvasOps& c) {
    c.background(false, kRed);
    c.pen(kPenDot, 1, kWhite);
    c.moveTo(1, 1);
    c.lineTo(60, 1);
    c.moveTo(1, 5);
    c.lineTo(50, 40);
    c.polyline({{5, 50}, {30, 50}, {30, 62}, {60, 62}});
}

void dottedOpaque(CanvasOps& c) {
    c.background(true, kRed);
    c.pen(kPenDot, 1, kWhite);
    c.moveTo(1, 1);
    c.lineTo(60, 1);
    c.moveTo(3, 3);
    c.lineTo(3, 60);
}

void mixModes(CanvasOps& c) {
    c.fillRect(0, 0, 64, 32, 0x336699);
    c.pen(kPenSolid, 1, kRed);
    c.mix(15);
    for (int y = 2; y < 60; y += 4) {
        c.moveTo(2, y);
        c.lineTo(60, y);
    }
    c.mix(10);
    for (int x = 2; x < 60; x += 4) {
        c.moveTo(x, 2);
        c.lineTo(x, 60);
    }
    c.mix(13);
}

void pixels(CanvasOps& c) {
    for (int i = 0; i < 64; ++i)
        c.setPixel((i * 7) % 64, (i * 13) % 64, static_cast<std::uint32_t>(i * 0x030507));
    c.setPixel(-1, 3, kWhite);
    c.setPixel(64, 3, kWhite);
}

void floodFills(CanvasOps& c) {
    c.pen(kPenSolid, 1, kWhite);
    c.polyline({{5, 5}, {40, 5}, {40, 40}, {5, 40}, {5, 5}});
    c.moveTo(5, 20);
    c.lineTo(40, 20);
    c.brush(kRed);
    c.floodFill(10, 10);
    c.brush(kGreen);
    c.floodFill(50, 50);
}

void clipped(CanvasOps& c) {
    c.clip(10, 10, 40, 30);
    c.fillRect(0, 0, 64, 64, kRed);
    c.pen(kPenSolid, 1, kWhite);
    c.moveTo(0, 20);
    c.lineTo(63, 25);
    c.setPixel(5, 5, kWhite);
}

void nullPenEllipses(CanvasOps& c) {
    c.pen(kPenNull, 1, 0);
    c.brush(kRed);
    c.ellipse(1, 1, 11, 11);
    c.ellipse(15, 2, 45, 20);
    c.ellipse(3, 25, 20, 62);
    c.ellipse(30, 30, 63, 63);
}

void outlinedEllipses(CanvasOps& c) {
    c.pen(kPenSolid, 1, kWhite);
    const XY top{16, 0};
    c.arc(0, 0, 33, 21, top, top);
    c.arc(35, 2, 60, 60, XY{47, 2}, XY{47, 2});
}

void arcs(CanvasOps& c) {
    c.pen(kPenSolid, 1, kGreen);
    c.arc(2, 2, 40, 40, XY{40, 21}, XY{21, 2});
    c.arc(20, 20, 62, 62, XY{20, 41}, XY{62, 41});
    c.arc(5, 40, 30, 62, XY{30, 40}, XY{5, 62});
}

void pies(CanvasOps& c) {
    c.pen(kPenNull, 1, 0);
    c.brush(kRed);
    c.pie(1, 1, 40, 40, XY{40, 20}, XY{20, 1});
    c.brush(kGreen);
    c.pie(20, 20, 63, 63, XY{20, 41}, XY{63, 30});
}

void polygons(CanvasOps& c) {
    c.pen(kPenNull, 1, 0);
    c.brush(kRed);
    c.polygon({{2, 2}, {30, 4}, {20, 30}});
    c.polygon({{35, 5}, {60, 5}, {60, 30}, {35, 30}});
    c.brush(kGreen);
    c.polygon({{5, 35}, {30, 62}, {55, 35}, {30, 50}});
}

void widePens(CanvasOps& c) {
    c.pen(kPenSolid, 3, kWhite);
    c.moveTo(5, 5);
    c.lineTo(55, 5);
    c.moveTo(5, 15);
    c.lineTo(50, 45);
    c.pen(kPenSolid, 5, kRed);
    c.polyline({{10, 55}, {30, 40}, {55, 58}});
}

} // namespace

std::vector<Scene> shapeScenes() {
    return {
        {"rectangles", rectangles, 0},
        {"inverted rectangle", invertedRectangle, 0},
        {"lines in every direction", linesAllDirections, 0},
        {"lines drawn backwards", linesReversed, 0},
        {"polylines", polylines, 0},
        {"dotted lines, transparent gaps", dottedTransparent, 0},
        {"dotted lines, opaque gaps", dottedOpaque, 0},
        {"mix modes", mixModes, 0},
        {"single pixels", pixels, 0},
        {"flood fill", floodFills, 0},
        {"clip region", clipped, 0},
        {"filled ellipses", nullPenEllipses, 40},
        {"ellipse outlines", outlinedEllipses, 30},
        {"arcs", arcs, 40},
        {"pies", pies, 60},
        {"polygons", polygons, 0},
        {"wide pens", widePens, 130},
    };
}
