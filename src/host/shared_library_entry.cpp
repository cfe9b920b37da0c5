// The names a Linux host looks up in the native plug-in library:
// `VSTPluginMain`, and `main` for hosts that only know the older name. Both
// create an instance through the one entry point; the library exports
// nothing else (tarvel-vst.map).
#include "host/module.h"

#define TARVEL_EXPORT __attribute__((visibility("default")))

extern "C" TARVEL_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return tarvelMain(audioMaster);
}

// C++ keeps the name `main` for a program's start, so the function is named
// otherwise in the source and its symbol gets the host's name from the
// assembler label.
extern "C" TARVEL_EXPORT AEffect* olderHostsMain(audioMasterCallback audioMaster) __asm__("main");

AEffect* olderHostsMain(audioMasterCallback audioMaster) {
    return tarvelMain(audioMaster);
}
