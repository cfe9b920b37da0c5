// The entry point of the plug-in with its editor: the effect, and the editor
// panel that registers itself with it (which sets effFlagsHasEditor). When
// the panel cannot be made the module is out of memory and the host is
// refused the instance: it never sees an effect lacking its editor.
#include <new>

#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "host/module.h"

namespace {

AudioEffect* createEffectWithEditor(audioMasterCallback host) {
    auto* effect = new (std::nothrow) TarvelEffect(host);
    if (effect != nullptr && new (std::nothrow) TarvelEditor(effect) == nullptr) {
        outOfMemory = true;
    }
    return effect;
}

} // namespace

extern "C" AEffect* VSTCALL tarvelMain(audioMasterCallback audioMaster) {
    return openInstance(audioMaster, createEffectWithEditor);
}
