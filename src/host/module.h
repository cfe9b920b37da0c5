// State shared by every plug-in instance of the loaded library, and the
// entry point a host calls to create an instance.
#pragma once

#include "host/vst_types.h"

// The library's module handle, stored by the platform's load notification;
// the toolkit loads its pictures and registers its window class with it.
extern void* hInstance;

// Set when an effect could not create its editor. Never cleared: from then on
// every new instance is refused.
extern bool outOfMemory;

// Creates one plug-in instance for the host (exported from the library as
// `main`). Returns the instance's record, or null when the plug-in refuses.
extern "C" AEffect* VSTCALL tarvelMain(audioMasterCallback audioMaster);

class AudioEffect;

// Creates the plug-in's own effect; defined by the effect, called by `main`.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
