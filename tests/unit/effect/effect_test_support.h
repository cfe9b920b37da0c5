// What the effect tests stand in for: a host that records every callback
// (with a copy of each event list it is handed) and an editor that records
// what the effect tells it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "effect/ParameterPanel.h"
#include "effect/TarvelEffect.h"
#include "host/AEffEditor.h"
#include "host/vst_opcodes.h"

struct RecordedHostCall {
    int32 opcode;
    int32 index;
    VstWord value;
    float opt;
    std::vector<VstMidiEvent> events;
};

// One recording host at a time; it answers the version query, accepts every
// event list and answers 0 to everything else.
class RecordingHost {
public:
    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstWord VSTCALL callback(AEffect* /*effect*/, int32 opcode, int32 index, VstWord value,
                                    void* ptr, float opt) {
        RecordingHost* host = current();
        if (host == nullptr) {
            return 0;
        }
        RecordedHostCall call{opcode, index, value, opt, {}};
        if (opcode == audioMasterProcessEvents && ptr != nullptr) {
            const auto* list = static_cast<const VstEvents*>(ptr);
            VstEvent* const* pointers = list->events;
            for (int32 i = 0; i < list->numEvents; ++i) {
                call.events.push_back(*reinterpret_cast<const VstMidiEvent*>(pointers[i]));
            }
        }
        host->calls.push_back(call);
        if (opcode == audioMasterProcessEvents && host->onRelay) {
            host->onRelay(call.events);
        }
        if (opcode == audioMasterVersion) {
            return 2400;
        }
        return opcode == audioMasterProcessEvents ? 1 : 0;
    }

    // Every event relayed so far, in the order the host received them.
    std::vector<VstMidiEvent> relayed() const {
        std::vector<VstMidiEvent> events;
        for (const RecordedHostCall& call : calls) {
            events.insert(events.end(), call.events.begin(), call.events.end());
        }
        return events;
    }

    std::vector<RecordedHostCall> calls;
    // Runs inside the host callback for every relayed list, while the block
    // is being processed.
    std::function<void(const std::vector<VstMidiEvent>&)> onRelay;

private:
    static RecordingHost*& current() {
        static RecordingHost* host = nullptr;
        return host;
    }
};

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
