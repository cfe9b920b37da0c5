// The MIDI queue: events handed in before a block wait in a fixed store and,
// at their frame of the block, are relayed one by one (MIDI thru).
// Controller 1 sets "ncvolume" and a program change to program 0 selects it
// on the way.
//
// A slot is free or queued by its own flag, never by a marker value in the
// event, so no deltaFrames a host sends can free a queued slot or make a free
// one look queued.
//
// An event with a negative deltaFrames (which hosts are not to send) is due
// at frame 0 of the next block processed and is relayed with deltaFrames 0,
// the frame it is sent at. It therefore never holds its slot for longer than
// one block. Events with deltaFrames at or beyond the block length are
// released at deltaFrames % blockFrames and relayed with deltaFrames as it was.
#include <cstdint>

#include "core/midi_store.h"

namespace {

constexpr int32 kNoteOff = 0x80;
constexpr int32 kNoteOn = 0x90;
constexpr int32 kPolyPressure = 0xA0;
constexpr int32 kControlChange = 0xB0;
constexpr int32 kProgramChange = 0xC0;
constexpr int32 kChannelPressure = 0xD0;
constexpr int32 kPitchBend = 0xE0;

// Controller 1 (modulation wheel) drives "ncvolume".
constexpr int32 kGainController = 1;
// The float nearest 1/127, so that controller value 127 gives exactly 1.0.
constexpr float kControllerScale = 0.007874016f;

int32 dataByte(uint8 byte) {
    return byte & 0x7F;
}

} // namespace

MidiStore::MidiStore(EffectOutput& owner) : output(owner) {
    clear();
}

void MidiStore::clear() {
    for (bool& queued : slotQueued) {
        queued = false;
    }
    for (int32& entry : eventOrder) {
        entry = -1;
    }
    firstFreeSlot = 1;
    queuedCount = 0;
    orderCount = 0;
    scheduleNext = 0;
    scheduleEnd = 0;
}

void MidiStore::releaseEvents(int32 frame) {
    if (blockFrames <= 0) {
        return;
    }
    // Several events due at the same frame all go in this pass, oldest first:
    // a released entry's successor moves into its position and is examined next.
    int32 position = 0;
    while (position < orderCount) {
        const int32 slot = eventOrder[position];
        if (dueFrame(eventSlots[slot].deltaFrames) != frame) {
            ++position;
            continue;
        }
        removeQueued(position);
        releaseSlot(slot);
    }
}

// Closes the gap the entry at `position` leaves in the order list.
void MidiStore::removeQueued(int32 position) {
    for (int32 i = position + 1; i < orderCount; ++i) {
        eventOrder[i - 1] = eventOrder[i];
    }
    eventOrder[--orderCount] = -1;
}

// Frees the slot, then acts on the effect where the message asks for it and
// relays the message in a call of its own (the owner takes the bytes during
// the call). An event with a negative deltaFrames goes out as sent at frame
// 0, where it is released. A note-on with velocity 0 goes out as the
// note-off it is by MIDI's own convention; program changes and channel
// pressure carry one data byte. Status bytes below 0x80 and system messages
// are dropped unrelayed.
//
// Most messages are only relayed: their path ends in the relay call and keeps
// nothing across it. The two that act on the effect first go through
// actThenRelay, so that only they pay for a call that returns here.
void MidiStore::releaseSlot(int32 slot) {
    const QueuedEvent& event = eventSlots[slot];
    const int32 delta = event.deltaFrames < 0 ? 0 : event.deltaFrames;
    const int32 status = event.bytes[0];
    const int32 data1 = dataByte(event.bytes[1]);
    int32 data2 = dataByte(event.bytes[2]);
    slotQueued[slot] = false;
    --queuedCount;
    firstFreeSlot = slot < firstFreeSlot ? slot : firstFreeSlot;
    int32 kind = status & 0xF0;
    switch (kind) {
    case kNoteOff:
    case kPolyPressure:
    case kPitchBend:
        break;
    case kNoteOn:
        if (data2 == 0) {
            kind = kNoteOff;
        }
        break;
    case kControlChange:
        if (data1 == kGainController) {
            actThenRelay(status, data1, data2, delta);
            return;
        }
        break;
    case kProgramChange:
        if (data1 < kPrograms) {
            actThenRelay(status, data1, 0, delta);
            return;
        }
        data2 = 0;
        break;
    case kChannelPressure:
        data2 = 0;
        break;
    default:
        return;
    }
    output.relayMidi(static_cast<uint8>(kind | (status & 0x0F)), static_cast<uint8>(data1),
                     static_cast<uint8>(data2), delta);
}

// Controller 1 sets ncvolume and a program change selects one of the bank's
// programs (it has one; changes to any other are only relayed), before the
// message itself goes out.
void MidiStore::actThenRelay(int32 status, int32 data1, int32 data2, int32 delta) {
    if ((status & 0xF0) == kControlChange) {
        output.controllerGain(static_cast<float>(data2) * kControllerScale, delta);
    } else {
        output.programChange(data1, delta);
    }
    output.relayMidi(static_cast<uint8>(status), static_cast<uint8>(data1),
                     static_cast<uint8>(data2), delta);
}

// Events still queued after a block (only those admitted while it ran) are
// moved back by its length; the subtraction saturates instead of wrapping.
void MidiStore::moveQueued(int32 sampleFrames) {
    for (int32 i = 0; i < orderCount; ++i) {
        int32& delta = eventSlots[eventOrder[i]].deltaFrames;
        const std::int64_t moved = static_cast<std::int64_t>(delta) - sampleFrames;
        delta = moved < INT32_MIN ? INT32_MIN : static_cast<int32>(moved);
    }
}
