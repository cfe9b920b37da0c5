#include "host/audio_effect_x.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/aeff_editor.h"
#include "host/vst_opcodes.h"

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster_, int32 numPrograms_, int32 numParams_)
    : AudioEffect(audioMaster_, numPrograms_, numParams_) {}

AudioEffectX::~AudioEffectX() = default;

// The key record carries the key modifiers in opt; a value that is no number,
// or none a byte can hold, counts as no modifier rather than an undefined
// conversion.
static uint8 modifierFromOpt(float opt) {
    if (!(std::fabs(opt) < 2147483648.0f)) {
        return 0;
    }
    return static_cast<uint8>(static_cast<int32>(opt) & 0xFF);
}

VstWord AudioEffectX::dispatcher(int32 opcode, int32 index, VstWord value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
        return string2parameter(index, text) ? 1 : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed:
        return getProgramNameIndexed(static_cast<int32>(value), index, text) ? 1 : 0;
    case effCopyProgram:
        return copyProgram(index) ? 1 : 0;
    case effConnectInput:
        inputConnected(index, value != 0);
        return 1;
    case effConnectOutput:
        outputConnected(index, value != 0);
        return 1;
    case effGetInputProperties:
        return getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effGetCurrentPosition:
        return reportCurrentPosition();
    case effGetDestinationBuffer:
        return reinterpret_cast<VstWord>(reportDestinationBuffer());
    case effOfflineNotify:
        return offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<int32>(value), index != 0)
                   ? 1
                   : 0;
    case effOfflinePrepare:
        return offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<int32>(value)) ? 1 : 0;
    case effOfflineRun:
        return offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<int32>(value)) ? 1 : 0;
    case effProcessVarIo:
        return processVariableIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                     static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<int32>(value), opt);
        return 1;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName:
        return getEffectName(text) ? 1 : 0;
    case effGetErrorText:
        return getErrorText(text) ? 1 : 0;
    case effGetVendorString:
        return getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canDo(text);
    case effGetTailSize:
        return getGetTailSize();
    case effIdle:
        return fxIdle();
    case effGetIcon:
        return reinterpret_cast<VstWord>(getIcon());
    case effSetViewPosition:
        return setViewPosition(index, static_cast<int32>(value)) ? 1 : 0;
    case effGetParameterProperties:
        return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effKeysRequired:
        return keysRequired() ? 0 : 1;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (editor == nullptr) {
            return 0;
        }
        VstKeyCode key{index, static_cast<uint8>(value & 0xFF), modifierFromOpt(opt)};
        return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    }
    case effSetEditKnobMode:
        return editor != nullptr ? editor->setKnobMode(static_cast<int32>(value)) : 0;
    case effGetMidiProgramName:
        return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName:
        return getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)) ? 1 : 0;
    case effBeginSetProgram:
        return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
        return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
        return getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                     static_cast<VstSpeakerArrangement**>(ptr))
                   ? 1
                   : 0;
    case effShellGetNextPlugin:
        return getNextShellPlugin(text);
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<int32>(value));
    case effSetPanLaw:
        return setPanLaw(static_cast<int32>(value), opt) ? 1 : 0;
    case effBeginLoadBank:
        return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
        return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

AEffEditor* AudioEffectX::getEditor() {
    return editor;
}
int32 AudioEffectX::processEvents(VstEvents* /*events*/) {
    return 0;
}
bool AudioEffectX::canParameterBeAutomated(int32 /*index*/) {
    return true;
}
bool AudioEffectX::string2parameter(int32 /*index*/, char* /*text*/) {
    return false;
}
float AudioEffectX::getChannelParameter(int32 /*channel*/, int32 /*index*/) {
    return 0.0f;
}
int32 AudioEffectX::getNumCategories() {
    return 1;
}
bool AudioEffectX::getProgramNameIndexed(int32 /*category*/, int32 /*index*/, char* /*text*/) {
    return false;
}
bool AudioEffectX::copyProgram(int32 /*destination*/) {
    return false;
}
void AudioEffectX::inputConnected(int32 /*index*/, bool /*state*/) {}
void AudioEffectX::outputConnected(int32 /*index*/, bool /*state*/) {}
bool AudioEffectX::getInputProperties(int32 /*index*/, VstPinProperties* /*properties*/) {
    return false;
}
bool AudioEffectX::getOutputProperties(int32 /*index*/, VstPinProperties* /*properties*/) {
    return false;
}
int32 AudioEffectX::getPlugCategory() {
    return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}
void AudioEffectX::wantAsyncOperation(bool state) {
    setFlag(effFlagsExtIsAsync, state);
}
void AudioEffectX::hasExternalBuffer(bool state) {
    setFlag(effFlagsExtHasBuffer, state);
}
int32 AudioEffectX::reportCurrentPosition() {
    return 0;
}
float* AudioEffectX::reportDestinationBuffer() {
    return nullptr;
}
bool AudioEffectX::offlineNotify(VstAudioFile* /*audioFiles*/, int32 /*numAudioFiles*/,
                                 bool /*start*/) {
    return false;
}
bool AudioEffectX::offlinePrepare(VstOfflineTask* /*offline*/, int32 /*count*/) {
    return false;
}
bool AudioEffectX::offlineRun(VstOfflineTask* /*offline*/, int32 /*count*/) {
    return false;
}
int32 AudioEffectX::offlineGetNumPasses() {
    return 0;
}
int32 AudioEffectX::offlineGetNumMetaPasses() {
    return 0;
}
void AudioEffectX::isSynth(bool state) {
    setFlag(effFlagsIsSynth, state);
}
void AudioEffectX::noTail(bool state) {
    setFlag(effFlagsNoSoundInStop, state);
}
bool AudioEffectX::processVariableIo(VstVariableIo* /*varIo*/) {
    return false;
}
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement* /*pluginInput*/,
                                         VstSpeakerArrangement* /*pluginOutput*/) {
    return false;
}
bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput) {
    if (pluginInput != nullptr) {
        *pluginInput = nullptr;
    }
    if (pluginOutput != nullptr) {
        *pluginOutput = nullptr;
    }
    return false;
}
void AudioEffectX::setBlockSizeAndSampleRate(int32 newBlockSize, float newSampleRate) {
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}
bool AudioEffectX::setBypass(bool /*onOff*/) {
    return false;
}
bool AudioEffectX::getEffectName(char* /*name*/) {
    return false;
}
bool AudioEffectX::getErrorText(char* /*text*/) {
    return false;
}
bool AudioEffectX::getVendorString(char* /*text*/) {
    return false;
}
bool AudioEffectX::getProductString(char* /*text*/) {
    return false;
}
int32 AudioEffectX::getVendorVersion() {
    return 0;
}
int32 AudioEffectX::vendorSpecific(int32 /*arg1*/, VstWord /*arg2*/, void* /*ptrArg*/,
                                   float /*floatArg*/) {
    return 0;
}
int32 AudioEffectX::canDo(char* /*text*/) {
    return 0;
}
void* AudioEffectX::getIcon() {
    return nullptr;
}
bool AudioEffectX::setViewPosition(int32 /*x*/, int32 /*y*/) {
    return false;
}
int32 AudioEffectX::getGetTailSize() {
    return 0;
}
int32 AudioEffectX::fxIdle() {
    return 0;
}
bool AudioEffectX::getParameterProperties(int32 /*index*/, VstParameterProperties* /*properties*/) {
    return false;
}
bool AudioEffectX::keysRequired() {
    return false;
}
int32 AudioEffectX::getVstVersion() {
    return 2300;
}
int32 AudioEffectX::getMidiProgramName(int32 /*channel*/, MidiProgramName* /*midiProgramName*/) {
    return 0;
}
int32 AudioEffectX::getCurrentMidiProgram(int32 /*channel*/, MidiProgramName* /*currentProgram*/) {
    return -1;
}
int32 AudioEffectX::getMidiProgramCategory(int32 /*channel*/, MidiProgramCategory* /*category*/) {
    return 0;
}
bool AudioEffectX::hasMidiProgramsChanged(int32 /*channel*/) {
    return false;
}
bool AudioEffectX::getMidiKeyName(int32 /*channel*/, MidiKeyName* /*keyName*/) {
    return false;
}
bool AudioEffectX::beginSetProgram() {
    return false;
}
bool AudioEffectX::endSetProgram() {
    return false;
}
int32 AudioEffectX::setTotalSampleToProcess(int32 value) {
    return value;
}
int32 AudioEffectX::getNextShellPlugin(char* /*name*/) {
    return 0;
}
int32 AudioEffectX::startProcess() {
    return 0;
}
int32 AudioEffectX::stopProcess() {
    return 0;
}
bool AudioEffectX::setPanLaw(int32 /*type*/, float /*value*/) {
    return false;
}
int32 AudioEffectX::beginLoadBank(VstPatchChunkInfo* /*patchChunkInfo*/) {
    return 0;
}
int32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo* /*patchChunkInfo*/) {
    return 0;
}
