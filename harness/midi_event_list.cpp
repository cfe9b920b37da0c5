#include "harness/midi_event_list.h"

#include <algorithm>
#include <cstddef>
#include <new>

bool operator==(const MidiMessage& a, const MidiMessage& b) {
    return a.frame == b.frame && a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2;
}

MidiMessage controller1(int32 frame, int value) {
    MidiMessage message;
    message.frame = frame;
    message.status = 0xB0;
    message.data1 = 1;
    message.data2 = static_cast<std::uint8_t>(value & 0x7F);
    return message;
}

MidiEventList::MidiEventList(const std::vector<MidiMessage>& messages) {
    midi.resize(messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        VstMidiEvent& event = midi[i];
        event = VstMidiEvent{};
        event.type = kVstMidiType;
        event.byteSize = static_cast<int32>(sizeof(VstMidiEvent));
        event.deltaFrames = messages[i].frame;
        event.midiData[0] = static_cast<char>(messages[i].status);
        event.midiData[1] = static_cast<char>(messages[i].data1);
        event.midiData[2] = static_cast<char>(messages[i].data2);
    }

    static_assert(offsetof(VstEvents, events) % sizeof(VstWord) == 0);
    const std::size_t headerWords = offsetof(VstEvents, events) / sizeof(VstWord);
    const std::size_t pointerCount = std::max<std::size_t>(messages.size(), 2);
    const std::size_t words = headerWords + pointerCount;
    storage = std::make_unique<VstWord[]>(words);
    list = new (storage.get()) VstEvents{};
    list->numEvents = static_cast<int32>(midi.size());
    list->reserved = 0;
    // Written through a plain pointer: the list is longer than its declared array.
    VstEvent** slots = list->events;
    for (std::size_t i = 0; i < midi.size(); ++i) {
        slots[i] = reinterpret_cast<VstEvent*>(&midi[i]);
    }
}
