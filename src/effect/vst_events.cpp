// The effect between the host's blocks and event lists and its core: the
// host's MIDI records go into the core's queue, process and processReplacing
// run the core's block, and every message the core releases goes back to
// the host in a call of its own, at its frame (MIDI thru).
#include "effect/tarvel_effect.h"

int32 TarvelEffect::processEvents(VstEvents* events) {
    if (events == nullptr) {
        return 0;
    }
    // The host's list holds numEvents pointers, however many the record declares.
    VstEvent* const* list = events->events;
    for (int32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (event != nullptr && event->type == kVstMidiType) {
            const auto& midi = *reinterpret_cast<const VstMidiEvent*>(event);
            // Once every slot is taken the rest of the list can only be dropped.
            if (!core.midi.admit(midi.deltaFrames, reinterpret_cast<const uint8*>(midi.midiData))) {
                break;
            }
        }
    }
    return 1;
}

void TarvelEffect::process(float** inputs, float** outputs, int32 sampleFrames) {
    processBlock<true>(inputs, outputs, sampleFrames);
}

void TarvelEffect::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
    processBlock<false>(inputs, outputs, sampleFrames);
}

// `accumulate` adds the result to the outputs (process) instead of writing
// over them (processReplacing). A block without the left input or either
// output is not processed at all; the right input is never needed.
template <bool accumulate>
void TarvelEffect::processBlock(float** inputs, float** outputs, int32 sampleFrames) {
    if (sampleFrames <= 0 || inputs == nullptr || outputs == nullptr || inputs[0] == nullptr ||
        outputs[0] == nullptr || outputs[1] == nullptr) {
        return;
    }
    core.processBlock<accumulate>(inputs[0], outputs[0], outputs[1], sampleFrames);
}

// The outgoing list always carries the one outgoing record and nothing else;
// the record keeps these values whenever it is sent.
TarvelEffect::HostRelay::HostRelay(TarvelEffect& effect) : owner(effect) {
    events.numEvents = 1;
    events.reserved = 0;
    events.events[0] = reinterpret_cast<VstEvent*>(&outgoing);
    events.events[1] = nullptr;
    outgoing.type = kVstMidiType;
    outgoing.byteSize = static_cast<int32>(sizeof(VstMidiEvent));
    outgoing.reserved1 = 99;
}

void TarvelEffect::HostRelay::controllerGain(float value, int32 /*delta*/) {
    owner.setParameter(kNcvolume, value);
}

void TarvelEffect::HostRelay::programChange(int32 program, int32 /*delta*/) {
    owner.setProgram(program);
}

// The one outgoing record is reused for every message; the host takes the
// event during the call. Its answer changes nothing here.
void TarvelEffect::HostRelay::relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) {
    outgoing.midiData[0] = static_cast<char>(status);
    outgoing.midiData[1] = static_cast<char>(data1);
    outgoing.midiData[2] = static_cast<char>(data2);
    outgoing.deltaFrames = delta;
    owner.sendVstEventsToHost(&events);
}
