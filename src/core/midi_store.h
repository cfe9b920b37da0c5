// The MIDI queue: events handed in before a block (as a frame and the
// message's bytes) wait in a fixed store and, at their frame of the block,
// are acted on and relayed one by one through the owner's EffectOutput
// (MIDI thru).
#pragma once

#include <cstring>

#include "core/core_types.h"
#include "core/effect_output.h"

class MidiStore {
public:
    // Slots 1 to 249 hold queued events; the numbering starts at 1, so the
    // store holds kSlots - 1 of them.
    static constexpr int32 kSlots = 250;
    static constexpr int32 kCapacity = kSlots - 1;
    // Program changes below this select a program; the bank has one.
    static constexpr int32 kPrograms = 1;

    explicit MidiStore(EffectOutput& output);

    // Queues one message: `bytes` are its status byte and two data bytes
    // (read whatever the status). A full store drops it; answers whether it
    // was kept.
    // Inline: the adapters admit events one by one, in loops of their own.
    bool admit(int32 deltaFrames, const uint8* bytes);
    int32 queuedEvents() const { return queuedCount; }
    // Drops every queued event unrelayed.
    void clear();

    // The pieces a block is made of, frame by frame: startBlock sets the
    // length the release rule divides by; then for every frame
    // releaseEvents relays (and acts on) the events due at it; endBlock
    // moves the events still queued back by the block's length.
    void startBlock(int32 sampleFrames) { blockFrames = sampleFrames; }
    void releaseEvents(int32 frame);
    void endBlock(int32 sampleFrames) {
        if (orderCount > 0) {
            moveQueued(sampleFrames);
        }
    }

    // The block path's own walk, cheaper than asking at every frame:
    // beginRun puts every queued event in the running block's schedule,
    // releaseScheduled relays those due at `frame`, hasScheduled and
    // nextScheduledFrame say what comes next, endRun closes the block.
    void beginRun() {
        if (orderCount > 0) {
            scheduleQueued();
        }
        blockRunning = true;
    }
    bool hasScheduled() const { return scheduleNext < scheduleEnd; }
    int32 nextScheduledFrame() const { return schedule[scheduleNext].frame; }
    void releaseScheduled(int32 frame);
    void endRun() { blockRunning = false; }

private:
    struct QueuedEvent {
        int32 deltaFrames;
        uint8 bytes[3];
    };

    // The frame of the current block at which an event is due.
    int32 dueFrame(int32 deltaFrames) const {
        if (deltaFrames < blockFrames) {
            return deltaFrames < 0 ? 0 : deltaFrames;
        }
        return deltaFrames % blockFrames;
    }
    void moveQueued(int32 sampleFrames);
    void removeQueued(int32 position);
    void releaseSlot(int32 slot);
    [[gnu::noinline]] void actThenRelay(int32 status, int32 data1, int32 data2, int32 delta);
    void scheduleQueued();
    void insertScheduled(int32 frame, int32 slot);

    EffectOutput& output;

    QueuedEvent eventSlots[kSlots] = {};
    bool slotQueued[kSlots] = {};
    // Every slot below this one is queued: admission searches from here.
    int32 firstFreeSlot = 1;
    int32 queuedCount = 0;
    // Entries 0 to orderCount - 1 name queued slots, oldest first. Between
    // blocks these are all the queued events; while a block runs, those
    // scheduled for it are in `schedule` instead.
    int32 eventOrder[kSlots] = {};
    int32 orderCount = 0;
    int32 blockFrames = 0;

    // The events the running block releases, by due frame and, within a
    // frame, oldest first (`age` is the place in the queue they came from).
    // Entries from scheduleNext to scheduleEnd - 1 are still to come.
    struct ScheduledEvent {
        int32 frame;
        int32 age;
        int32 slot;
    };
    ScheduledEvent schedule[kSlots] = {};
    int32 scheduleNext = 0;
    int32 scheduleEnd = 0;
    // Set while a block runs: an event handed over from inside a relay then
    // joins the schedule if it is still due.
    bool blockRunning = false;
    int32 releaseFrame = 0;
};

inline bool MidiStore::admit(int32 deltaFrames, const uint8* bytes) {
    int32 slot = firstFreeSlot;
    while (slot < kSlots && slotQueued[slot]) {
        ++slot;
    }
    if (slot == kSlots) {
        return false;
    }
    firstFreeSlot = slot + 1;
    QueuedEvent& stored = eventSlots[slot];
    stored.deltaFrames = deltaFrames;
    std::memcpy(stored.bytes, bytes, sizeof stored.bytes);
    slotQueued[slot] = true;
    ++queuedCount;
    // Handed over from inside a relay of the running block: still due in it
    // when its frame is not yet past, as a frame-by-frame walk would find it.
    if (blockRunning) {
        const int32 frame = dueFrame(stored.deltaFrames);
        if (frame >= releaseFrame) {
            insertScheduled(frame, slot);
            return true;
        }
    }
    eventOrder[orderCount++] = slot;
    return true;
}
