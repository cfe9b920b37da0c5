// What the LV2 adapter tests stand in for: a host's URID map, atom sequences
// it writes and reads, and the square wave the effect replays.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "harness/urid_map.h"
#include "midi_atoms.h"

// The host's URID map, and the atom types the adapter is told of through it.
class TestUridMap : public UridMap {
public:
    tarvel_lv2::AtomTypes types() { return {map(LV2_ATOM__Sequence), map(LV2_MIDI__MidiEvent)}; }
};

// A short MIDI message at a frame, as both sides of the port see it.
struct TimedMidi {
    std::int64_t frame;
    std::vector<std::uint8_t> bytes;
};

// An atom sequence in 8-byte words, as a host lays one out in a port buffer.
class SequenceBuffer {
public:
    // `shift` bytes from an 8-byte boundary: 4 places the sequence as some
    // hosts do, with its events off their 8-byte alignment.
    explicit SequenceBuffer(std::size_t bytes, std::size_t shift = 0)
        : words((bytes + shift + 7) / 8), shift_(shift) {}
    LV2_Atom_Sequence* sequence() {
        return reinterpret_cast<LV2_Atom_Sequence*>(reinterpret_cast<std::uint8_t*>(words.data()) +
                                                    shift_);
    }
    // The sequence's body: just after its atom header.
    std::uint8_t* bodyStart() {
        return reinterpret_cast<std::uint8_t*>(words.data()) + shift_ + sizeof(LV2_Atom);
    }

    // An input sequence holding `events` (of type `eventType`).
    void write(LV2_URID sequenceType, LV2_URID eventType, const std::vector<TimedMidi>& events) {
        LV2_Atom_Sequence* seq = sequence();
        seq->atom.type = sequenceType;
        seq->atom.size = sizeof(LV2_Atom_Sequence_Body);
        seq->body.unit = 0;
        seq->body.pad = 0;
        for (const TimedMidi& midi : events) {
            LV2_Atom_Event event{};
            event.time.frames = midi.frame;
            event.body.type = eventType;
            event.body.size = static_cast<std::uint32_t>(midi.bytes.size());
            // From the buffer's own start: the compiler takes a pointer made
            // from `&seq->body` for one to an object of the body's size.
            std::uint8_t* place = bodyStart() + seq->atom.size;
            std::memcpy(place, &event, sizeof event);
            std::memcpy(place + sizeof event, midi.bytes.data(), midi.bytes.size());
            seq->atom.size += lv2_atom_pad_size(
                static_cast<std::uint32_t>(sizeof(LV2_Atom_Event) + midi.bytes.size()));
        }
    }

    // An output port before a block: its capacity in the atom's size field.
    void offer(std::uint32_t capacity) {
        sequence()->atom.type = 0;
        sequence()->atom.size = capacity;
    }

    std::vector<TimedMidi> read(LV2_URID eventType) {
        std::vector<TimedMidi> events;
        const std::uint8_t* body = bodyStart();
        std::uint32_t offset = sizeof(LV2_Atom_Sequence_Body);
        while (offset < sequence()->atom.size) {
            LV2_Atom_Event event;
            std::memcpy(&event, body + offset, sizeof event);
            const std::uint8_t* bytes = body + offset + sizeof event;
            if (event.body.type == eventType) {
                events.push_back({event.time.frames, {bytes, bytes + event.body.size}});
            }
            offset += lv2_atom_pad_size(static_cast<std::uint32_t>(sizeof event) + event.body.size);
        }
        return events;
    }

private:
    std::vector<std::uint64_t> words;
    std::size_t shift_;
};

inline bool operator==(const TimedMidi& a, const TimedMidi& b) {
    return a.frame == b.frame && a.bytes == b.bytes;
}
