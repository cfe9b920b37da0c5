#include "harness/host_call.h"

#include <cstring>

VstMidiEvent midiOf(const VstEvent& event) {
    static_assert(sizeof(VstMidiEvent) == sizeof(VstEvent), "both event records are 32 bytes");
    VstMidiEvent midi;
    std::memcpy(&midi, &event, sizeof midi);
    return midi;
}

std::vector<VstMidiEvent> relayedMidi(const std::vector<HostCall>& calls) {
    std::vector<VstMidiEvent> midi;
    for (const HostCall& call : calls) {
        for (const VstEvent& event : call.events) {
            if (event.type == kVstMidiType) {
                midi.push_back(midiOf(event));
            }
        }
    }
    return midi;
}

int countCalls(const std::vector<HostCall>& calls, int32 opcode) {
    int count = 0;
    for (const HostCall& call : calls) {
        if (call.opcode == opcode) {
            ++count;
        }
    }
    return count;
}
