#include "midi_atoms.h"

#include <lv2/atom/util.h>

#include <cstring>

namespace tarvel_lv2 {

namespace {

int32 frameInside(int64_t frame, int32 frames) {
    if (frame < 0) {
        return 0;
    }
    return frame >= frames ? frames - 1 : static_cast<int32>(frame);
}

} // namespace

// Event headers are copied out and in rather than accessed in place: the
// atom format places events at 8-byte boundaries, but some hosts give a sequence
// buffer only 4-byte aligned, and an in-place access would then read and
// write 64-bit frame times at a misaligned address.
int32 readMidiEvents(const LV2_Atom_Sequence& sequence, const AtomTypes& types, int32 frames,
                     MidiInEvent* events, int32 capacity) {
    int32 count = 0;
    // A port holding some other atom (or none yet) carries no events.
    if (sequence.atom.type != types.sequence) {
        return 0;
    }
    // Counted from the sequence's start: the events lie past its body's
    // header, outside the struct's `body` member.
    const std::uint8_t* body = reinterpret_cast<const std::uint8_t*>(&sequence) + sizeof(LV2_Atom);
    const std::uint32_t end = sequence.atom.size;
    std::uint32_t offset = sizeof(LV2_Atom_Sequence_Body);
    // Only events wholly inside the sequence's size are read.
    while (count < capacity && offset <= end && end - offset >= sizeof(LV2_Atom_Event)) {
        LV2_Atom_Event event;
        std::memcpy(&event, body + offset, sizeof event);
        const std::uint32_t size = event.body.size;
        if (size > end - offset - sizeof event) {
            break;
        }
        if (event.body.type == types.midiEvent && size >= 1 && size <= 3) {
            MidiInEvent& record = events[count++];
            record = MidiInEvent{};
            record.frame = frameInside(event.time.frames, frames);
            std::memcpy(record.bytes, body + offset + sizeof event, size);
        }
        offset += lv2_atom_pad_size(static_cast<std::uint32_t>(sizeof event) + size);
    }
    return count;
}

std::uint32_t midiMessageSize(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

void MidiOutput::begin(LV2_Atom_Sequence* port, const AtomTypes& types, int32 frames) {
    sequence = port;
    dropped_ = 0;
    frames_ = frames;
    lastFrame = 0;
    if (port == nullptr) {
        return;
    }
    midiEvent = types.midiEvent;
    // The host writes the port's size in bytes into the atom's size field.
    // Read as the whole buffer, header included, it can only be too small,
    // never too large, whichever way a host means it.
    const std::uint32_t room = port->atom.size;
    port->atom.type = types.sequence;
    port->atom.size = 0;
    if (room < sizeof(LV2_Atom_Sequence)) {
        // No room for even the sequence's header: the port stays empty.
        capacity = 0;
        return;
    }
    capacity = room - static_cast<std::uint32_t>(sizeof(LV2_Atom));
    port->atom.size = sizeof(LV2_Atom_Sequence_Body);
    port->body.unit = 0;
    port->body.pad = 0;
}

bool MidiOutput::append(int32 frame, const std::uint8_t* bytes, std::uint32_t size) {
    if (sequence == nullptr || frames_ <= 0) {
        return false;
    }
    const std::uint32_t used = sequence->atom.size;
    const std::uint32_t needed = lv2_atom_pad_size(sizeof(LV2_Atom_Event) + size);
    if (capacity < used || capacity - used < needed) {
        ++dropped_;
        return false;
    }
    int64_t placed = frameInside(frame, frames_);
    placed = placed < lastFrame ? lastFrame : placed;
    lastFrame = placed;

    LV2_Atom_Event event{};
    event.time.frames = placed;
    event.body.type = midiEvent;
    event.body.size = size;
    std::uint8_t* place = reinterpret_cast<std::uint8_t*>(sequence) + sizeof(LV2_Atom) + used;
    std::memcpy(place, &event, sizeof event);
    std::memcpy(place + sizeof event, bytes, size);
    sequence->atom.size = used + needed;
    return true;
}

} // namespace tarvel_lv2
