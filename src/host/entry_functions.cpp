// The record's entry functions: each recovers the effect from the record and
// forwards the host's call to one virtual operation.
#include "host/entry_functions.h"

#include "host/audio_effect.h"
#include "host/vst_opcodes.h"

static AudioEffect* effectOf(AEffect* record) {
    return static_cast<AudioEffect*>(record->object);
}

VstWord VSTCALL dispatchEntry(AEffect* record, int32 opcode, int32 index, VstWord value, void* ptr,
                              float opt) {
    AudioEffect* effect = effectOf(record);
    const VstWord result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return result;
}

void VSTCALL processEntry(AEffect* record, float** inputs, float** outputs, int32 sampleFrames) {
    effectOf(record)->process(inputs, outputs, sampleFrames);
}

void VSTCALL processReplacingEntry(AEffect* record, float** inputs, float** outputs,
                                   int32 sampleFrames) {
    effectOf(record)->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALL setParameterEntry(AEffect* record, int32 index, float value) {
    effectOf(record)->setParameter(index, value);
}

float VSTCALL getParameterEntry(AEffect* record, int32 index) {
    return effectOf(record)->getParameter(index);
}
