#include "host/audio_effect.h"

#include <cmath>
#include <cstring>

#include "host/aeff_editor.h"
#include "host/entry_functions.h"
#include "host/vst_opcodes.h"

AudioEffect::AudioEffect(audioMasterCallback audioMaster_, int32 numPrograms_, int32 numParams_)
    : sampleRate(44100.0f), editor(nullptr), audioMaster(audioMaster_), numPrograms(numPrograms_),
      numParams(numParams_), curProgram(0), blockSize(1024) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms_;
    cEffect.numParams = numParams_;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
}

AudioEffect::~AudioEffect() {
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(int32 flag, bool state) {
    if (state) {
        cEffect.flags |= flag;
    } else {
        cEffect.flags &= ~flag;
    }
}

// Converts the effect's VU reading to the host's scale. A reading the host
// scale cannot hold (not a number, or beyond 32 bits) answers 0 or the limit
// instead of an undefined conversion.
static VstWord scaledVu(float vu) {
    const double scaled = static_cast<double>(vu) * 32767.0;
    if (std::isnan(scaled)) {
        return 0;
    }
    if (scaled >= 2147483647.0) {
        return 2147483647;
    }
    if (scaled <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<VstWord>(static_cast<int32>(scaled));
}

VstWord AudioEffect::dispatcher(int32 opcode, int32 index, VstWord value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value < numPrograms) {
            setProgram(static_cast<int32>(value));
        }
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(text);
        return 0;
    case effGetProgramName:
        getProgramName(text);
        return 0;
    case effGetParamLabel:
        getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        getParameterName(index, text);
        return 0;
    case effGetVu:
        return scaledVu(getVu());
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<int32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect:
        return editor != nullptr ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen:
        return editor != nullptr ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor != nullptr) {
            editor->close();
        }
        return 0;
    case effEditIdle:
        if (editor != nullptr) {
            editor->idle();
        }
        return 0;
    case effIdentify:
        return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        return setChunk(ptr, static_cast<int32>(value), index != 0);
    default:
        // effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep and
        // every opcode this level does not know: not handled.
        return 0;
    }
}

void AudioEffect::setParameter(int32 /*index*/, float /*value*/) {}
float AudioEffect::getParameter(int32 /*index*/) {
    return 0.0f;
}

void AudioEffect::setParameterAutomated(int32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::processReplacing(float** /*inputs*/, float** /*outputs*/,
                                   int32 /*sampleFrames*/) {}
void AudioEffect::open() {}
void AudioEffect::close() {}
int32 AudioEffect::getProgram() {
    return curProgram.load(std::memory_order_relaxed);
}
void AudioEffect::setProgram(int32 program) {
    curProgram.store(program, std::memory_order_relaxed);
}

void AudioEffect::setProgramName(char* name) {
    if (name != nullptr) {
        name[0] = 0;
    }
}

static void clearText(char* text) {
    if (text != nullptr) {
        text[0] = 0;
    }
}

void AudioEffect::getProgramName(char* name) {
    clearText(name);
}
void AudioEffect::getParameterLabel(int32 /*index*/, char* label) {
    clearText(label);
}
void AudioEffect::getParameterDisplay(int32 /*index*/, char* text) {
    clearText(text);
}
void AudioEffect::getParameterName(int32 /*index*/, char* text) {
    clearText(text);
}
float AudioEffect::getVu() {
    return 0.0f;
}
int32 AudioEffect::getChunk(void** /*data*/, bool /*isPreset*/) {
    return 0;
}
int32 AudioEffect::setChunk(void* /*data*/, int32 /*byteSize*/, bool /*isPreset*/) {
    return 0;
}
void AudioEffect::setSampleRate(float newSampleRate) {
    sampleRate = newSampleRate;
}
void AudioEffect::setBlockSize(int32 newBlockSize) {
    blockSize = newBlockSize;
}
void AudioEffect::suspend() {}
void AudioEffect::resume() {}
void AudioEffect::setUniqueID(int32 id) {
    cEffect.uniqueID = id;
}
void AudioEffect::setNumInputs(int32 count) {
    cEffect.numInputs = count;
}
void AudioEffect::setNumOutputs(int32 count) {
    cEffect.numOutputs = count;
}
void AudioEffect::hasVu(bool state) {
    setFlag(effFlagsHasVu, state);
}
void AudioEffect::hasClip(bool state) {
    setFlag(effFlagsHasClip, state);
}
void AudioEffect::canMono(bool state) {
    setFlag(effFlagsCanMono, state);
}
void AudioEffect::canProcessReplacing(bool state) {
    setFlag(effFlagsCanReplacing, state);
}
void AudioEffect::programsAreChunks(bool state) {
    setFlag(effFlagsProgramChunks, state);
}
void AudioEffect::setRealtimeQualities(int32 qualities) {
    cEffect.realQualities = qualities;
}
void AudioEffect::setOfflineQualities(int32 qualities) {
    cEffect.offQualities = qualities;
}
void AudioEffect::setInitialDelay(int32 delay) {
    cEffect.initialDelay = delay;
}
float AudioEffect::getSampleRate() {
    return sampleRate;
}
int32 AudioEffect::getBlockSize() {
    return blockSize;
}
