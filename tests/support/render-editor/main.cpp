// Renders the plug-in's open editor on the headless backend into a PNG file:
//   render-editor [--scale S] [output.png] [ncvolume] [ipvolume]
// The parameters (0.75 and 0.25 unless given) are set before the editor
// opens; the simulated window system then delivers the new window's first
// paint. With --scale the editor is drawn at S (taken up to the nearest
// offered scale) and the picture has that many pixels per panel unit.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

int main(int argc, char** argv) {
    double scale = 1.0;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--scale") == 0) {
        char* end = nullptr;
        scale = std::strtod(argv[2], &end);
        if (end == argv[2] || *end != 0 || !(scale > 0.0)) {
            std::fprintf(stderr, "render-editor: --scale needs a number above 0, not %s\n",
                         argv[2]);
            return 2;
        }
        first = 3;
    }
    const char* path = argc > first ? argv[first] : "editor.png";
    const float ncvolume = argc > first + 1 ? std::strtof(argv[first + 1], nullptr) : 0.75f;
    const float ipvolume = argc > first + 2 ? std::strtof(argv[first + 2], nullptr) : 0.25f;

    TarvelEffect effect(nullptr);
    // The effect owns the editor, which registers itself with it.
    auto* editor = new TarvelEditor(&effect);
    effect.setParameter(0, ncvolume);
    effect.setParameter(1, ipvolume);
    platform::Window parent = headless::createWindow(0, 0, 268, 107);
    effect.dispatcher(effEditOpen, 0, 0, parent, 0.0f);
    bool ok = false;
    if (editor && editor->getFrame() && editor->getFrame()->getWindow()) {
        editor->getFrame()->setScale(scale);
        headless::dispatchMessages();
        ok = headless::savePng(*headless::surfaceOf(editor->getFrame()->getWindow()), path);
    }
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    headless::destroyWindow(parent);
    if (!ok) {
        std::fprintf(stderr, "render-editor: could not render the editor into %s\n", path);
        return 1;
    }
    return 0;
}
