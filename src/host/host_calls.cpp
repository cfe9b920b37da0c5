// The calls an effect makes back into the host. Each fills in the opcode and
// arguments, calls the host callback and turns its answer into the result;
// with no host callback each answers as a host that knows nothing would.
#include "host/audio_effect_x.h"
#include "host/vst_opcodes.h"

VstWord AudioEffect::callHost(int32 opcode, int32 index, VstWord value, void* ptr, float opt) {
    return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

int32 AudioEffect::getMasterVersion() {
    if (audioMaster == nullptr) {
        return 1;
    }
    const VstWord version = callHost(audioMasterVersion);
    return version != 0 ? static_cast<int32>(version) : 1;
}

int32 AudioEffect::getCurrentUniqueId() {
    return static_cast<int32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() {
    callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(int32 input) {
    return audioMaster == nullptr || callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(int32 output) {
    return audioMaster == nullptr || callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffectX::wantEvents(int32 filter) {
    callHost(audioMasterWantMidi, 0, filter);
}

VstTimeInfo* AudioEffectX::getTimeInfo(int32 filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

int32 AudioEffectX::tempoAt(int32 pos) {
    return static_cast<int32>(callHost(audioMasterTempoAt, 0, pos));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

int32 AudioEffectX::getNumAutomatableParameters() {
    return static_cast<int32>(callHost(audioMasterGetNumAutomatableParameters));
}

int32 AudioEffectX::getParameterQuantization() {
    return static_cast<int32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::ioChanged() {
    return callHost(audioMasterIOChanged) != 0;
}
bool AudioEffectX::needIdle() {
    return callHost(audioMasterNeedIdle) != 0;
}

bool AudioEffectX::sizeWindow(int32 width, int32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

double AudioEffectX::updateSampleRate() {
    const VstWord rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) {
        sampleRate = static_cast<float>(rate);
    }
    return static_cast<double>(sampleRate);
}

int32 AudioEffectX::updateBlockSize() {
    const VstWord size = callHost(audioMasterGetBlockSize);
    if (size > 0) {
        blockSize = static_cast<int32>(size);
    }
    return blockSize;
}

int32 AudioEffectX::getInputLatency() {
    return static_cast<int32>(callHost(audioMasterGetInputLatency));
}

int32 AudioEffectX::getOutputLatency() {
    return static_cast<int32>(callHost(audioMasterGetOutputLatency));
}

// The host is asked for the neighbouring plug-in without the pin number.
AEffect* AudioEffectX::getPreviousPlug(int32 /*input*/) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(int32 /*output*/) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}

int32 AudioEffectX::willProcessReplacing() {
    return static_cast<int32>(callHost(audioMasterWillReplaceOrAccumulate));
}

int32 AudioEffectX::getCurrentProcessLevel() {
    return static_cast<int32>(callHost(audioMasterGetCurrentProcessLevel));
}

int32 AudioEffectX::getAutomationState() {
    return static_cast<int32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, int32 option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, int32 option) {
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart(VstAudioFile* audioFiles, int32 numAudioFiles,
                                int32 numNewAudioFiles) {
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

int32 AudioEffectX::offlineGetCurrentPass() {
    return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

int32 AudioEffectX::offlineGetCurrentMetaPass() {
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::setOutputSamplerate(float rate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetSpeakerArrangement));
}

bool AudioEffectX::getHostVendorString(char* text) {
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

int32 AudioEffectX::getHostVendorVersion() {
    return static_cast<int32>(callHost(audioMasterGetVendorVersion));
}

int32 AudioEffectX::hostVendorSpecific(int32 arg1, VstWord arg2, void* ptrArg, float floatArg) {
    return static_cast<int32>(callHost(audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg));
}

// The host's yes (1) and no (-1) both mean it understood the question.
int32 AudioEffectX::canHostDo(char* text) {
    return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

int32 AudioEffectX::getHostLanguage() {
    return static_cast<int32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::openWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(void* window) {
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* AudioEffectX::getDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay() {
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::beginEdit(int32 index) {
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(int32 index) {
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::openFileSelector(VstFileSelect* fileSelect) {
    return fileSelect != nullptr && callHost(audioMasterOpenFileSelector, 0, 0, fileSelect) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* fileSelect) {
    return fileSelect != nullptr && callHost(audioMasterCloseFileSelector, 0, 0, fileSelect) != 0;
}

bool AudioEffectX::getChunkFile(void* nativePath) {
    return nativePath != nullptr && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
