// The running block's release schedule. Every event queued when a block
// starts is due at some frame of it, so at the start all of them move from
// the queue into the schedule, sorted by due frame and, within a frame, by
// age: the order in which a frame-by-frame walk over the queue releases them.
// The block then only looks at the next entry, and the cost is the events'
// own, not frames times events.
#include <algorithm>

#include "core/midi_store.h"

void MidiStore::scheduleQueued() {
    scheduleNext = 0;
    scheduleEnd = 0;
    bool sorted = true;
    for (int32 position = 0; position < orderCount; ++position) {
        const int32 slot = eventOrder[position];
        const int32 frame = dueFrame(eventSlots[slot].deltaFrames);
        sorted = sorted && (position == 0 || schedule[position - 1].frame <= frame);
        schedule[position] = {frame, position, slot};
        eventOrder[position] = -1;
    }
    scheduleEnd = orderCount;
    orderCount = 0;
    // Hosts deliver events in time order, which needs no sorting at all.
    if (!sorted) {
        std::sort(schedule, schedule + scheduleEnd,
                  [](const ScheduledEvent& a, const ScheduledEvent& b) {
                      return a.frame != b.frame ? a.frame < b.frame : a.age < b.age;
                  });
    }
}

// An event admitted while the block runs is the youngest: it goes after every
// entry due at or before its frame.
void MidiStore::insertScheduled(int32 frame, int32 slot) {
    if (scheduleEnd == kSlots) {
        // Released entries make room; fewer than kSlots - 1 are still to come.
        std::copy(schedule + scheduleNext, schedule + scheduleEnd, schedule);
        scheduleEnd -= scheduleNext;
        scheduleNext = 0;
    }
    int32 position = scheduleEnd;
    while (position > scheduleNext && schedule[position - 1].frame > frame) {
        schedule[position] = schedule[position - 1];
        --position;
    }
    schedule[position] = {frame, kSlots, slot};
    ++scheduleEnd;
}

// Relays the entries due at `frame`, including any that a relay's host
// admits for this same frame.
void MidiStore::releaseScheduled(int32 frame) {
    releaseFrame = frame;
    while (scheduleNext < scheduleEnd && schedule[scheduleNext].frame == frame) {
        releaseSlot(schedule[scheduleNext++].slot);
    }
}
