#include "host_log.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Floats as their bit patterns too, so that equal logs mean equal values.
std::string floatText(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[48];
    std::snprintf(text, sizeof text, "%g (0x%08x)", static_cast<double>(value), bits);
    return text;
}

std::string eventText(const VstEvent& event) {
    char text[96];
    if (event.type == kVstMidiType) {
        const VstMidiEvent midi = midiOf(event);
        std::snprintf(text, sizeof text, "midi delta %d bytes %02x %02x %02x %02x",
                      midi.deltaFrames, static_cast<unsigned char>(midi.midiData[0]),
                      static_cast<unsigned char>(midi.midiData[1]),
                      static_cast<unsigned char>(midi.midiData[2]),
                      static_cast<unsigned char>(midi.midiData[3]));
    } else {
        std::snprintf(text, sizeof text, "type %d delta %d", event.type, event.deltaFrames);
    }
    return text;
}

} // namespace

void writeHostCalls(std::ostream& out, const std::string& phase,
                    const std::vector<HostCall>& calls) {
    for (const HostCall& call : calls) {
        out << phase << ": opcode " << call.opcode << " index " << call.index << " value "
            << call.value << " opt " << floatText(call.opt);
        if (call.fromNullEffect) {
            out << " (no record)";
        }
        if (call.hadPointer) {
            out << " ptr";
        }
        if (!call.text.empty()) {
            out << " \"" << call.text << "\"";
        }
        for (const VstEvent& event : call.events) {
            out << " [" << eventText(event) << "]";
        }
        out << "\n";
    }
}
