// draw-pictures: draws the plug-in's two bitmap resources at each scale the
// editor offers, checks them and writes them as BMP files.
//
//   draw-pictures <output-dir> [<font-dir>]
//
// Writes <output-dir>/background.bmp (resource 128) and handle.bmp (129) as
// 24-bit files, and at each larger scale background-<percent>.bmp and
// handle-<percent>.bmp (background-125.bmp at 1.25, ...) as 8-bit greys.
// The lettering is set in Liberation Sans from <font-dir> (by default the
// system's Liberation fonts). Nothing is written when a check fails.

#include "bmp_file.h"
#include "gui/scale.h"
#include "handle_picture.h"
#include "layout.h"
#include "panel_picture.h"
#include "picture_check.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr const char* defaultFontDir = "/usr/share/fonts/truetype/liberation";

bool report(const char* picture, const std::vector<std::string>& faults) {
    for (const std::string& fault : faults) {
        std::fprintf(stderr, "draw-pictures: %s: %s\n", picture, fault.c_str());
    }
    return faults.empty();
}

// Both pictures at one larger scale, written as background-<percent>.bmp and
// handle-<percent>.bmp; false when a check or a write fails.
bool writeScaled(const std::string& outputDir, const std::string& fontDir, double s) {
    const std::string percent = std::to_string(std::lround(s * 100.0));
    const pictures::PanelPicture panel = pictures::drawPanel(fontDir, s);
    if (!panel.error.empty()) {
        std::fprintf(stderr, "draw-pictures: at %s %%: %s\n", percent.c_str(), panel.error.c_str());
        return false;
    }
    const pictures::Image handle = pictures::drawHandle(s);
    const std::string name = "handle-" + percent;
    if (!report(name.c_str(), pictures::checkHandle(handle, static_cast<int>(std::floor(
                                                                pictures::handleSize * s))))) {
        return false;
    }
    const std::vector<std::uint8_t> panelBytes = pictures::encodeGreyBmp(panel.image);
    const std::vector<std::uint8_t> handleBytes = pictures::encodeGreyBmp(handle);
    if (panelBytes.empty() || handleBytes.empty()) {
        std::fprintf(stderr, "draw-pictures: at %s %%: a picture is not all greys\n",
                     percent.c_str());
        return false;
    }
    const std::string backgroundPath = outputDir + "/background-" + percent + ".bmp";
    const std::string handlePath = outputDir + "/" + name + ".bmp";
    if (!pictures::writeFile(backgroundPath, panelBytes) ||
        !pictures::writeFile(handlePath, handleBytes)) {
        std::fprintf(stderr, "draw-pictures: cannot write into %s\n", outputDir.c_str());
        return false;
    }
    std::printf("wrote %s and %s\n", backgroundPath.c_str(), handlePath.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: draw-pictures <output-dir> [<font-dir>]\n");
        return 2;
    }
    const std::string outputDir = argv[1];
    const std::string fontDir = argc > 2 ? argv[2] : defaultFontDir;

    const pictures::PanelPicture panel = pictures::drawPanel(fontDir);
    if (!panel.error.empty()) {
        std::fprintf(stderr, "draw-pictures: %s\n", panel.error.c_str());
        return 1;
    }
    const pictures::Image handle = pictures::drawHandle();

    const bool panelOk = report("background", pictures::checkPanelLettering(panel.image));
    const bool handleOk = report("handle", pictures::checkHandle(handle, pictures::handleSize));
    if (!panelOk || !handleOk) {
        return 1;
    }

    for (std::size_t i = 0; i < panel.pixelSizes.size(); ++i) {
        std::printf("\"%s\": %s at %d px\n", pictures::panelLettering[i].text,
                    pictures::panelLettering[i].fontFile, panel.pixelSizes[i]);
    }
    const std::string backgroundPath = outputDir + "/background.bmp";
    const std::string handlePath = outputDir + "/handle.bmp";
    if (!pictures::writeFile(backgroundPath, pictures::encodeBmp(panel.image)) ||
        !pictures::writeFile(handlePath, pictures::encodeBmp(handle))) {
        std::fprintf(stderr, "draw-pictures: cannot write into %s\n", outputDir.c_str());
        return 1;
    }
    std::printf("wrote %s and %s\n", backgroundPath.c_str(), handlePath.c_str());
    for (const double s : scale::kOffered) {
        if (s != 1.0 && !writeScaled(outputDir, fontDir, s)) {
            return 1;
        }
    }
    return 0;
}
