// Writes the plug-in's two pictures and a test scene drawn by the toolkit on
// the headless backend as PNG files: render-scene [output folder].
#include <cstdio>
#include <string>

#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui/toolkit_state.h"
#include "platform/graphics.h"
#include "platform/headless/headless.h"

namespace {

bool savePicture(int id, const std::string& path) {
    Bitmap* picture = new Bitmap(id);
    const raster::Surface* pixels = headless::surfaceOf(picture->getHandle());
    const bool ok = pixels && headless::savePng(*pixels, path.c_str());
    picture->release();
    return ok;
}

// The panel with both handles over it, and one of each drawing operation below.
bool saveScene(const std::string& path) {
    startBlendServices();
    OffscreenContext scene(nullptr, 268, 187, colorBlack);
    Bitmap* background = new Bitmap(128);
    Bitmap* handle = new Bitmap(129);
    background->draw(&scene, Rect(0, 0, 268, 107));
    handle->drawTransparent(&scene, Rect(60, 40, 74, 54));
    handle->drawTransparent(&scene, Rect(180, 80, 194, 94));

    scene.offset = Point(0, 107);
    scene.setFrameColor(colorWhite);
    scene.frameRect(Rect(2, 2, 40, 40));
    scene.setFillColor(colorRed);
    scene.fillRect(Rect(2, 2, 40, 40));
    scene.setFillColor(colorBlue);
    scene.fillEllipse(Rect(46, 2, 84, 40));
    scene.setFrameColor(colorYellow);
    scene.drawEllipse(Rect(46, 2, 84, 40));
    scene.setFillColor(colorGreen);
    scene.fillArc(Rect(90, 2, 128, 40), Point(128, 21), Point(109, 2));
    scene.setLineStyle(1);
    scene.setFrameColor(colorCyan);
    scene.moveTo(Point(134, 4));
    scene.lineTo(Point(170, 38));
    scene.setLineStyle(0);
    scene.setLineWidth(3);
    scene.setFrameColor(colorMagenta);
    const Point zigzag[] = {{176, 38}, {186, 6}, {196, 38}, {206, 6}};
    scene.polyline(zigzag, 4);
    scene.setLineWidth(1);
    scene.setFillColor(colorGrey);
    const Point star[] = {{240, 4}, {250, 38}, {222, 16}, {258, 16}, {230, 38}};
    scene.fillPolygon(star, 5);
    scene.setFont(0);
    scene.setFontColor(colorWhite);
    scene.drawString("Tarvel toolkit", Rect(2, 44, 130, 62), false, kLeftText);
    scene.setFont(7, 16);
    scene.drawString("abgdpw", Rect(130, 44, 266, 62), false, kCenterText);
    scene.setFont(3, 14, kItalicFace | kUnderlineFace);
    scene.setFillColor(colorBlue);
    scene.drawString("opaque, right", Rect(2, 62, 266, 78), true, kRightText);

    background->release();
    handle->release();
    const raster::Surface* pixels = headless::surfaceOf(scene.getBitmapHandle());
    return pixels && headless::savePng(*pixels, path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::string files[3] = {folder + "/background.png", folder + "/handle.png",
                                  folder + "/scene.png"};
    const bool ok[3] = {savePicture(128, files[0]), savePicture(129, files[1]),
                        saveScene(files[2])};
    int failures = 0;
    for (int i = 0; i < 3; ++i) {
        std::printf("%s %s\n", ok[i] ? "wrote" : "could not write", files[i].c_str());
        failures += !ok[i];
    }
    return failures == 0 ? 0 : 1;
}
