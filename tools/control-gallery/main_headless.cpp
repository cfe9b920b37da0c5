// control-gallery on the headless backend: renders the gallery into a PNG.
//
//   control-gallery [--check] [--compare painted.bmp] [output.png]
//
// The output defaults to docs/gallery.png. The pictures are read from the
// files gallery.rc names. With --check the program fails when a control drew
// nothing; with --compare, when a picture control looks different in
// `painted.bmp` (the gallery as the Windows build painted it).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gallery.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "platform/headless/headless.h"

namespace {

// The number the compared picture gets among the program's resources.
constexpr std::uint16_t kComparedPicture = 999;

bool addPicture(std::uint16_t id, const std::string& path) {
    std::ifstream picture(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(picture)),
                                     std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "control-gallery: cannot read %s\n", path.c_str());
        return false;
    }
    headless::addResourcePicture(id, std::move(bytes));
    return true;
}

// Adds every picture of the resource script to the program's resources.
bool loadPictures(const std::string& script) {
    std::ifstream in(script);
    if (!in) {
        std::fprintf(stderr, "control-gallery: cannot read %s\n", script.c_str());
        return false;
    }
    const std::string folder = script.substr(0, script.find_last_of('/') + 1);
    std::string line;
    bool ok = true;
    while (std::getline(in, line)) {
        unsigned id = 0;
        char file[512] = "";
        if (std::sscanf(line.c_str(), " %u BITMAP \"%511[^\"]\"", &id, file) != 2)
            continue;
        ok = addPicture(static_cast<std::uint16_t>(id), folder + file) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    bool check = false;
    const char* compare = nullptr;
    const char* output = "docs/gallery.png";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--compare") == 0 && i + 1 < argc)
            compare = argv[++i];
        else
            output = argv[i];
    }
    if (!loadPictures(TARVEL_GALLERY_RC))
        return 1;
    if (compare && !addPicture(kComparedPicture, compare))
        return 1;
    platform::Window host = headless::createWindow(0, 0, Gallery::kWidth, Gallery::kHeight);
    int result = 0;
    {
        Gallery gallery(host);
        headless::dispatchMessages();
        if (check)
            for (const std::string& name : gallery.undrawnControls()) {
                std::fprintf(stderr, "control-gallery: %s drew nothing\n", name.c_str());
                result = 1;
            }
        if (compare) {
            auto* painted = new Bitmap(kComparedPicture);
            for (const std::string& name : gallery.controlsDifferingFrom(painted)) {
                std::fprintf(stderr, "control-gallery: %s differs in %s\n", name.c_str(), compare);
                result = 1;
            }
            painted->release();
        }
        if (!headless::savePng(*headless::surfaceOf(gallery.getFrame()->getWindow()), output)) {
            std::fprintf(stderr, "control-gallery: cannot write %s\n", output);
            result = 1;
        }
    }
    headless::destroyWindow(host);
    return result;
}
