#include "fake_plugin.h"

#include <cstring>
#include <vector>

#include "host/vst_opcodes.h"

namespace fake_plugin {

namespace {

int live = 0;

struct Instance {
    AEffect record{};
    audioMasterCallback host = nullptr;
    float gain = 1.0f;
    float sampleRate = 0.0f;
    VstWord blockSize = 0;
    std::vector<VstMidiEvent> queued;
    // The one list and event every relay reuses, as a real plug-in does.
    VstMidiEvent outEvent{};
    VstEvents outList{};
};

Instance* instanceOf(AEffect* effect) {
    return static_cast<Instance*>(effect->object);
}

VstWord call(Instance* self, int32 opcode, int32 index, VstWord value, void* ptr, float opt) {
    return self->host(&self->record, opcode, index, value, ptr, opt);
}

void relayQueued(Instance* self) {
    for (const VstMidiEvent& event : self->queued) {
        self->outEvent = event;
        self->outList.numEvents = 1;
        self->outList.events[0] = reinterpret_cast<VstEvent*>(&self->outEvent);
        call(self, audioMasterProcessEvents, 0, 0, &self->outList, 0.0f);
    }
    // Overwrite the reused event: a host that kept a pointer instead of a
    // copy now sees garbage.
    std::memset(&self->outEvent, 0x5A, sizeof self->outEvent);
    self->queued.clear();
}

VstWord VSTCALL dispatcher(AEffect* effect, int32 opcode, int32 index, VstWord value, void* ptr,
                           float opt) {
    Instance* self = instanceOf(effect);
    switch (opcode) {
    case effClose:
        delete self;
        --live;
        return 1;
    case effMainsChanged:
        if (value != 0) {
            self->sampleRate =
                static_cast<float>(call(self, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f));
            self->blockSize = call(self, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f);
            call(self, audioMasterWantMidi, 0, 1, nullptr, 0.0f);
        }
        return 0;
    case effGetParamName:
        std::strcpy(static_cast<char*>(ptr), "gain");
        return 0;
    case effGetParamLabel:
        std::strcpy(static_cast<char*>(ptr), "x");
        return 0;
    case effGetEffectName:
        std::strcpy(static_cast<char*>(ptr), "Fake");
        return 1;
    case effCanDo:
        return std::strcmp(static_cast<const char*>(ptr), "receiveVstMidiEvent") == 0 ? 1 : -1;
    case effProcessEvents: {
        const auto* list = static_cast<const VstEvents*>(ptr);
        VstEvent* const* slots = list->events;
        for (int32 i = 0; i < list->numEvents; ++i) {
            self->queued.push_back(*reinterpret_cast<const VstMidiEvent*>(slots[i]));
        }
        return 1;
    }
    case effVendorSpecific:
        return call(self, index, kIndexOfHostCall, value, ptr, opt);
    default:
        return 0;
    }
}

void VSTCALL process(AEffect* effect, float** inputs, float** outputs, int32 frames) {
    Instance* self = instanceOf(effect);
    relayQueued(self);
    for (int32 i = 0; i < frames; ++i) {
        outputs[0][i] += inputs[0][i] * self->gain;
        outputs[1][i] += inputs[1][i] * self->gain;
    }
}

void VSTCALL processReplacing(AEffect* effect, float** inputs, float** outputs, int32 frames) {
    Instance* self = instanceOf(effect);
    relayQueued(self);
    for (int32 i = 0; i < frames; ++i) {
        outputs[0][i] = inputs[0][i] * self->gain;
        outputs[1][i] = inputs[1][i] * self->gain;
    }
}

void VSTCALL setParameter(AEffect* effect, int32 index, float value) {
    if (index == 0) {
        instanceOf(effect)->gain = value;
    }
}

float VSTCALL getParameter(AEffect* effect, int32 index) {
    return index == 0 ? instanceOf(effect)->gain : 0.0f;
}

} // namespace

AEffect* VSTCALL entry(audioMasterCallback audioMaster) {
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    auto* self = new Instance;
    ++live;
    self->host = audioMaster;
    AEffect& record = self->record;
    record.magic = kEffectMagic;
    record.dispatcher = &dispatcher;
    record.process = &process;
    record.processReplacing = &processReplacing;
    record.setParameter = &setParameter;
    record.getParameter = &getParameter;
    record.numPrograms = 1;
    record.numParams = 1;
    record.numInputs = 2;
    record.numOutputs = 2;
    record.object = self;
    return &record;
}

int liveInstances() {
    return live;
}

float sampleRateSeen(const AEffect* effect) {
    return static_cast<const Instance*>(effect->object)->sampleRate;
}

VstWord blockSizeSeen(const AEffect* effect) {
    return static_cast<const Instance*>(effect->object)->blockSize;
}

} // namespace fake_plugin
