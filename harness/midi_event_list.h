// A host's event list for effProcessEvents, built from plain MIDI messages.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/vst_types.h"

// One short MIDI message at a frame of the block it is delivered with.
struct MidiMessage {
    int32 frame = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

bool operator==(const MidiMessage& a, const MidiMessage& b);

// Controller 1 (modulation wheel) on channel 1.
MidiMessage controller1(int32 frame, int value);

// Owns a VstEvents list and its VstMidiEvent records; the list stays valid
// and unchanged while this object lives.
class MidiEventList {
public:
    explicit MidiEventList(const std::vector<MidiMessage>& messages);
    MidiEventList(const MidiEventList&) = delete;
    MidiEventList& operator=(const MidiEventList&) = delete;

    VstEvents* events() { return list; }
    int32 size() const { return static_cast<int32>(midi.size()); }

private:
    std::vector<VstMidiEvent> midi;
    // The list header followed by one pointer per event: the record declares
    // room for two pointers, a host's list holds as many as it has events.
    std::unique_ptr<VstWord[]> storage;
    VstEvents* list = nullptr;
};
