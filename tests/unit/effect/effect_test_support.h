// What the effect tests stand in for: an editor that records what the effect
// tells it, and the host's event lists; the host is the harness's PluginHost.
#pragma once

#include <string>
#include <vector>

#include "effect/parameter_panel.h"
#include "effect/tarvel_effect.h"
#include "harness/plugin_host.h"
#include "host/aeff_editor.h"
#include "host/vst_opcodes.h"

// Takes the place of the effect's own editor panel (which it deletes) and
// registers itself as the effect's editor and parameter panel, as the real
// panel does; the effect owns and deletes it.
class RecordingEditor : public AEffEditor, public ParameterPanel {
public:
    explicit RecordingEditor(TarvelEffect* owner) : AEffEditor(owner) {
        delete owner->editorOf();
        owner->setEditor(this);
        owner->attachPanel(this);
    }
    void postUpdate() override { log.push_back("postUpdate"); }
    void setParameter(int32 index, float value) override {
        log.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
    }
    std::vector<std::string> log;
};

// Every event the host has been sent and still records, whatever its type
// says, read as MIDI: a relay of anything else shows as a wrong type.
inline std::vector<VstMidiEvent> relayedEvents(const PluginHost& host) {
    std::vector<VstMidiEvent> events;
    for (const HostCall& call : host.calls()) {
        for (const VstEvent& event : call.events) {
            events.push_back(midiOf(event));
        }
    }
    return events;
}

inline VstMidiEvent midiEvent(int32 deltaFrames, int status, int data1, int data2) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = deltaFrames;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    return event;
}

// A host-side event list of any length over events the caller keeps alive:
// the list header followed by one pointer per event.
class EventList {
public:
    explicit EventList(std::vector<VstMidiEvent>& events)
        : words(kHeaderWords + (events.empty() ? 2 : events.size())) {
        VstEvents* header = list();
        header->numEvents = static_cast<int32>(events.size());
        header->reserved = 0;
        VstEvent** pointers = header->events;
        for (std::size_t i = 0; i < events.size(); ++i) {
            pointers[i] = reinterpret_cast<VstEvent*>(&events[i]);
        }
    }
    VstEvents* list() { return reinterpret_cast<VstEvents*>(words.data()); }

private:
    // numEvents and reserved take two pointer-sized words before the pointers.
    static constexpr std::size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(void*);
    std::vector<void*> words;
};

// Runs `frames` frames through processReplacing in one block; the right input
// is silence.
inline std::vector<float> runBlock(TarvelEffect& effect, const float* left, int32 frames) {
    std::vector<float> right(static_cast<std::size_t>(frames), 0.0f);
    std::vector<float> outLeft(static_cast<std::size_t>(frames), 0.0f);
    std::vector<float> outRight(static_cast<std::size_t>(frames), 0.0f);
    float* inputs[] = {const_cast<float*>(left), right.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    effect.processReplacing(inputs, outputs, frames);
    return outLeft;
}
