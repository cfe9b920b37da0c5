// The entry point of a library made of the effect alone: no editor, so the
// record's effFlagsHasEditor stays clear. A library with an editor links its
// own entry point, which the linker then takes in place of this file (a
// static library's member is only linked in for a symbol still missing).
#include <new>

#include "effect/tarvel_effect.h"
#include "host/module.h"

namespace {

AudioEffect* createEffect(audioMasterCallback host) {
    return new (std::nothrow) TarvelEffect(host);
}

} // namespace

extern "C" AEffect* VSTCALL tarvelMain(audioMasterCallback audioMaster) {
    return openInstance(audioMaster, createEffect);
}
