// Finds the PluginHost a callback belongs to. A plug-in passes its record to
// the host callback; while `main` runs the record is not known yet (the
// version query passes null), so calls then go to the host that is loading.
#pragma once

#include "host/vst_types.h"

class PluginHost;

// The one callback every PluginHost hands to plug-ins.
VstWord VSTCALL harnessHostCallback(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                    void* ptr, float opt);

// Loads with `host` answering: calls `entry` while the calls without a known
// record go to `host`, and registers the record it returns.
AEffect* loadWithHost(PluginHost* host, AEffect*(VSTCALL* entry)(audioMasterCallback));

// Calls from `effect` reach `host` from now on.
void registerEffect(const AEffect* effect, PluginHost* host);

// Calls from `effect` stop reaching a host.
void unregisterEffect(const AEffect* effect);
