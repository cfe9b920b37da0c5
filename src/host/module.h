// State shared by every plug-in instance of the loaded library, and the
// entry point a host calls to create an instance.
#pragma once

#include "host/vst_types.h"

// Set when an effect could not create its editor. Never cleared: from then on
// every new instance is refused.
extern bool outOfMemory;

class AudioEffect;

// Creates one plug-in instance for the host (exported from the library as
// `main`). Returns the instance's record, or null when the plug-in refuses.
// Each library defines it where it assembles its effect: the effect alone,
// or the effect with its editor.
extern "C" AEffect* VSTCALL tarvelMain(audioMasterCallback audioMaster);

// What every `tarvelMain` does: refuses a host without a callback or one that
// answers version 0, creates the effect, and refuses it again (deleting it)
// once the module is out of memory. Returns the instance's record or null.
AEffect* openInstance(audioMasterCallback audioMaster,
                      AudioEffect* (*createEffect)(audioMasterCallback));
