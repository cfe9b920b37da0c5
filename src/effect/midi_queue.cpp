// The MIDI queue: events the host delivers before a block wait in a fixed
// store and, at their frame of the block, are relayed back to the host one
// by one (MIDI thru). Controller 1 sets "ncvolume" and a program change to
// program 0 selects it on the way.
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

#include "effect/TarvelEffect.h"

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

int32 dataByte(char byte) {
    return static_cast<uint8>(byte) & 0x7F;
}

} // namespace

int32 TarvelEffect::processEvents(VstEvents* events) {
    if (events == nullptr) {
        return 0;
    }
    // The host's list holds numEvents pointers, however many the record declares.
    VstEvent* const* list = events->events;
    for (int32 i = 0; i < events->numEvents; ++i) {
        // Once every slot is taken the rest of the list can only be dropped.
        if (queuedCount == kEventSlots - 1) {
            break;
        }
        const VstEvent* event = list[i];
        if (event != nullptr && event->type == kVstMidiType) {
            admit(*reinterpret_cast<const VstMidiEvent*>(event));
        }
    }
    return 1;
}

void TarvelEffect::admit(const VstMidiEvent& event) {
    int32 slot = firstFreeSlot;
    while (slot < kEventSlots && slotQueued[slot]) {
        ++slot;
    }
    if (slot == kEventSlots) {
        return;
    }
    firstFreeSlot = slot + 1;
    VstMidiEvent& stored = eventSlots[slot];
    stored = event;
    stored.reserved1 = 99;
    slotQueued[slot] = true;
    ++queuedCount;
    // Handed over from inside a relay of the running block: still due in it
    // when its frame is not yet past, as a frame-by-frame walk would find it.
    if (blockRunning) {
        const int32 frame = dueFrame(stored.deltaFrames);
        if (frame >= releaseFrame) {
            insertScheduled(frame, slot);
            return;
        }
    }
    eventOrder[orderCount++] = slot;
}

void TarvelEffect::startBlock(int32 sampleFrames) {
    blockFrames = sampleFrames;
}

void TarvelEffect::releaseEvents(int32 frame) {
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
void TarvelEffect::removeQueued(int32 position) {
    for (int32 i = position + 1; i < orderCount; ++i) {
        eventOrder[i - 1] = eventOrder[i];
    }
    eventOrder[--orderCount] = -1;
}

// Frees the slot, then acts on and relays the event it held. An event with a
// negative deltaFrames goes out as sent at frame 0, where it is released.
void TarvelEffect::releaseSlot(int32 slot) {
    const VstMidiEvent& event = eventSlots[slot];
    const int32 delta = event.deltaFrames;
    const int32 status = static_cast<uint8>(event.midiData[0]);
    const int32 data1 = dataByte(event.midiData[1]);
    const int32 data2 = dataByte(event.midiData[2]);
    slotQueued[slot] = false;
    --queuedCount;
    firstFreeSlot = slot < firstFreeSlot ? slot : firstFreeSlot;
    act(status, data1, data2, delta < 0 ? 0 : delta);
}

// Acts on the effect where the message asks for it, then relays it. Status
// bytes below 0x80 and system messages are dropped unrelayed.
void TarvelEffect::act(int32 status, int32 data1, int32 data2, int32 delta) {
    const int32 channel = status & 0x0F;
    switch (status & 0xF0) {
    case kNoteOff:
        sendNoteOff(channel, data1, data2, delta);
        break;
    case kNoteOn:
        // A note-on with velocity 0 is a note-off by MIDI's own convention.
        if (data2 > 0) {
            sendNoteOn(channel, data1, data2, delta);
        } else {
            sendNoteOff(channel, data1, 0, delta);
        }
        break;
    case kPolyPressure:
        sendPolyPressure(channel, data1, data2, delta);
        break;
    case kControlChange:
        if (data1 == kGainController) {
            setParameter(kNcvolume, static_cast<float>(data2) * kControllerScale);
        }
        sendControlChange(channel, data1, data2, delta);
        break;
    case kProgramChange:
        // The bank has one program; changes to any other are only relayed.
        if (data1 < numPrograms) {
            setProgram(data1);
        }
        sendProgramChange(channel, data1, delta);
        break;
    case kChannelPressure:
        sendChannelPressure(channel, data1, delta);
        break;
    case kPitchBend:
        sendPitchBend(channel, data1, data2, delta);
        break;
    default:
        break;
    }
}

// Events still queued after a block (only those admitted while it ran) are
// moved back by its length; the subtraction saturates instead of wrapping.
void TarvelEffect::endBlock(int32 sampleFrames) {
    for (int32 i = 0; i < orderCount; ++i) {
        int32& delta = eventSlots[eventOrder[i]].deltaFrames;
        const std::int64_t moved = static_cast<std::int64_t>(delta) - sampleFrames;
        delta = moved < INT32_MIN ? INT32_MIN : static_cast<int32>(moved);
    }
}

void TarvelEffect::sendNoteOff(int32 channel, int32 note, int32 velocity, int32 delta) {
    sendEvent(kNoteOff + channel, note, velocity, delta);
}

void TarvelEffect::sendNoteOn(int32 channel, int32 note, int32 velocity, int32 delta) {
    sendEvent(kNoteOn + channel, note, velocity, delta);
}

void TarvelEffect::sendPolyPressure(int32 channel, int32 note, int32 pressure, int32 delta) {
    sendEvent(kPolyPressure + channel, note, pressure, delta);
}

void TarvelEffect::sendControlChange(int32 channel, int32 controller, int32 value, int32 delta) {
    sendEvent(kControlChange + channel, controller, value, delta);
}

void TarvelEffect::sendProgramChange(int32 channel, int32 program, int32 delta) {
    sendEvent(kProgramChange + channel, program, 0, delta);
}

void TarvelEffect::sendChannelPressure(int32 channel, int32 pressure, int32 delta) {
    sendEvent(kChannelPressure + channel, pressure, 0, delta);
}

void TarvelEffect::sendPitchBend(int32 channel, int32 low, int32 high, int32 delta) {
    sendEvent(kPitchBend + channel, low, high, delta);
}

// Slot 0 and the one-event list are reused for every message; the host takes
// the event during the call. Its answer changes nothing here.
void TarvelEffect::sendEvent(int32 status, int32 data1, int32 data2, int32 delta) {
    VstMidiEvent& out = eventSlots[0];
    out.midiData[0] = static_cast<char>(status);
    out.midiData[1] = static_cast<char>(data1);
    out.midiData[2] = static_cast<char>(data2);
    out.deltaFrames = delta;
    sendVstEventsToHost(&outEvents);
}
