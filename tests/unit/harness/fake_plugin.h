// A tiny plug-in written straight against the record, so that the harness
// can be tested without the real effect: it applies one gain, relays every
// MIDI event it is given through one reused list, and on request makes any
// host call the test names.
#pragma once

#include "host/vst_types.h"

namespace fake_plugin {

// The exported `main` of the fake plug-in.
AEffect* VSTCALL entry(audioMasterCallback audioMaster);

// Live instances of the fake plug-in.
int liveInstances();

// What an instance learned from the host when it was resumed.
float sampleRateSeen(const AEffect* effect);
VstWord blockSizeSeen(const AEffect* effect);

// effVendorSpecific with index = a host opcode makes the instance call its
// host with that opcode, index 7, the given value, ptr and opt, and answer
// what the host answered.
constexpr int32 kIndexOfHostCall = 7;

} // namespace fake_plugin
