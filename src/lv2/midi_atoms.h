// MIDI between atom sequences and the effect's core: the block's incoming
// MIDI events become records of their frames and bytes, and each event the
// core relays becomes one MIDI atom of the outgoing sequence.
// Neither allocates; both stay within the storage they are given.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>

#include "core/core_types.h"

namespace tarvel_lv2 {

// One incoming message: its frame in the block and its bytes, a two-byte
// message's third byte 0, as the core's queue takes them.
struct MidiInEvent {
    int32 frame;
    std::uint8_t bytes[3];
};

struct AtomTypes {
    LV2_URID sequence = 0;
    LV2_URID midiEvent = 0;
};

// Fills `events` with the short MIDI messages (one to three bytes) of
// `sequence`, in order, at most `capacity` of them. Frames are kept inside
// the block of `frames` frames (a host that places an event outside it has
// it at the nearest frame inside). Other atoms and longer messages (system
// exclusive) are skipped, and an atom that is not a sequence holds nothing.
// Returns how many records were filled.
int32 readMidiEvents(const LV2_Atom_Sequence& sequence, const AtomTypes& types, int32 frames,
                     MidiInEvent* events, int32 capacity);

// The bytes a MIDI channel message takes, by its status byte: two for
// program changes and channel pressure, three for the others.
std::uint32_t midiMessageSize(std::uint8_t status);

// The output port's sequence for one block. begin() takes the capacity the
// host wrote into the port's atom and leaves an empty sequence; append()
// adds one event, or drops it when it does not fit.
class MidiOutput {
public:
    void begin(LV2_Atom_Sequence* port, const AtomTypes& types, int32 frames);
    // Frames run forward through a sequence: an event is placed no earlier
    // than the one before it and inside the block.
    bool append(int32 frame, const std::uint8_t* bytes, std::uint32_t size);
    // Events that did not fit since begin().
    int32 dropped() const { return dropped_; }

private:
    LV2_Atom_Sequence* sequence = nullptr;
    LV2_URID midiEvent = 0;
    std::uint32_t capacity = 0; // bytes of the sequence's body
    int32 frames_ = 0;
    int64_t lastFrame = 0;
    int32 dropped_ = 0;
};

} // namespace tarvel_lv2
