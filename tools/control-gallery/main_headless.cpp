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
#include <string>
#include <vector>

#include "gallery.h"
#include "gallery_resources.h"
#include "gui/bitmap.h"
#include "gui/frame.h"
#include "platform/headless/headless.h"

namespace {
// The number the compared picture gets among the program's resources.
constexpr std::uint16_t kComparedPicture = 999;
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
    if (!loadGalleryPictures(TARVEL_GALLERY_RC))
        return 1;
    if (compare && !addPictureFile(kComparedPicture, compare))
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
