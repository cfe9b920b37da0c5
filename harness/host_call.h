// One request the plug-in made of the host, as the harness recorded it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/vst_types.h"

struct HostCall {
    int32 opcode = 0;
    int32 index = 0;
    std::int64_t value = 0;
    float opt = 0.0f;
    bool hadPointer = false; // ptr was not null
    // The pointer itself, for checks in the host's own process: it points
    // into the plug-in only while the call lasts, and a server never sends it.
    void* ptr = nullptr;
    bool fromNullEffect = false; // the record pointer was null (the version query in `main`)
    // The text argument of calls that pass one in (audioMasterCanDo).
    std::string text;
    // For audioMasterProcessEvents: a copy of every event of the list, taken
    // during the call, because the plug-in may reuse its list at once.
    std::vector<VstEvent> events;
    // For audioMasterProcessEvents: the list's own bytes, from its count up to
    // and including the first event pointer, as a host reads them by offset.
    std::vector<unsigned char> listHead;
};

// The MIDI view of a recorded event (its 32 bytes read as a VstMidiEvent).
VstMidiEvent midiOf(const VstEvent& event);

// All MIDI events the plug-in sent to the host in `calls`, in order.
std::vector<VstMidiEvent> relayedMidi(const std::vector<HostCall>& calls);

// How many calls in `calls` used `opcode`.
int countCalls(const std::vector<HostCall>& calls, int32 opcode);
