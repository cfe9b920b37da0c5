// Renders the plug-in's open editor on the headless backend into a PNG file:
//   render-editor [output.png] [ncvolume] [ipvolume]
// The parameters (0.75 and 0.25 unless given) are set before the editor
// opens; the simulated window system then delivers the new window's first paint.
#include <cstdio>
#include <cstdlib>

#include "editor/TarvelEditor.h"
#include "effect/TarvelEffect.h"
#include "gui/frame.h"
#include "host/vst_opcodes.h"
#include "platform/headless/headless.h"

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "editor.png";
    const float ncvolume = argc > 2 ? std::strtof(argv[2], nullptr) : 0.75f;
    const float ipvolume = argc > 3 ? std::strtof(argv[3], nullptr) : 0.25f;

    TarvelEffect effect(nullptr);
    // The effect owns the editor, which registers itself with it.
    auto* editor = new TarvelEditor(&effect);
    effect.setParameter(0, ncvolume);
    effect.setParameter(1, ipvolume);
    platform::Window parent = headless::createWindow(0, 0, 268, 107);
    effect.dispatcher(effEditOpen, 0, 0, parent, 0.0f);
    bool ok = false;
    if (editor && editor->getFrame() && editor->getFrame()->getWindow()) {
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
