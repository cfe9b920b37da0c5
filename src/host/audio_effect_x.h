// The extended effect class: the 2.x opcodes (25 to 76), the host calls the
// 2.x interface added, and helpers for speaker arrangements.
//
// Its virtual operations continue AudioEffect's slot order from slot 46.
#pragma once

#include "host/audio_effect.h"

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback audioMaster, int32 numPrograms, int32 numParams);
    ~AudioEffectX() override;

    VstWord dispatcher(int32 opcode, int32 index, VstWord value, void* ptr, float opt) override;

    virtual AEffEditor* getEditor();                                             // 46
    virtual void wantEvents(int32 filter = 1);                                   // 47
    virtual VstTimeInfo* getTimeInfo(int32 filter);                              // 48
    virtual int32 tempoAt(int32 pos);                                            // 49
    virtual int32 processEvents(VstEvents* events);                              // 50
    virtual int32 getNumAutomatableParameters();                                 // 51
    virtual int32 getParameterQuantization();                                    // 52
    virtual bool canParameterBeAutomated(int32 index);                           // 53
    virtual bool string2parameter(int32 index, char* text);                      // 54
    virtual float getChannelParameter(int32 channel, int32 index);               // 55
    virtual int32 getNumCategories();                                            // 56
    virtual bool getProgramNameIndexed(int32 category, int32 index, char* text); // 57
    virtual bool copyProgram(int32 destination);                                 // 58
    virtual bool ioChanged();                                                    // 59
    virtual bool needIdle();                                                     // 60
    virtual bool sizeWindow(int32 width, int32 height);                          // 61
    virtual double updateSampleRate();                                           // 62
    virtual int32 updateBlockSize();                                             // 63
    virtual int32 getInputLatency();                                             // 64
    virtual int32 getOutputLatency();                                            // 65
    virtual AEffect* getPreviousPlug(int32 input);                               // 66
    virtual AEffect* getNextPlug(int32 output);                                  // 67
    virtual void inputConnected(int32 index, bool state);                        // 68
    virtual void outputConnected(int32 index, bool state);                       // 69
    virtual bool getInputProperties(int32 index, VstPinProperties* properties);  // 70
    virtual bool getOutputProperties(int32 index, VstPinProperties* properties); // 71
    virtual int32 getPlugCategory();                                             // 72
    virtual int32 willProcessReplacing();                                        // 73
    virtual int32 getCurrentProcessLevel();                                      // 74
    virtual int32 getAutomationState();                                          // 75
    virtual void wantAsyncOperation(bool state = true);                          // 76
    virtual void hasExternalBuffer(bool state = true);                           // 77
    virtual int32 reportCurrentPosition();                                       // 78
    virtual float* reportDestinationBuffer();                                    // 79
    virtual bool offlineRead(VstOfflineTask* offline, int32 option, bool readSource = true);
    virtual bool offlineWrite(VstOfflineTask* offline, int32 option); // 81
    virtual bool offlineStart(VstAudioFile* audioFiles, int32 numAudioFiles,
                              int32 numNewAudioFiles); // 82
    virtual int32 offlineGetCurrentPass();             // 83
    virtual int32 offlineGetCurrentMetaPass();         // 84
    virtual bool offlineNotify(VstAudioFile* audioFiles, int32 numAudioFiles, bool start);
    virtual bool offlinePrepare(VstOfflineTask* offline, int32 count); // 86
    virtual bool offlineRun(VstOfflineTask* offline, int32 count);     // 87
    virtual int32 offlineGetNumPasses();                               // 88
    virtual int32 offlineGetNumMetaPasses();                           // 89
    virtual void setOutputSamplerate(float sampleRate);                // 90
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();       // 91
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();      // 92
    virtual bool getHostVendorString(char* text);                      // 93
    virtual bool getHostProductString(char* text);                     // 94
    virtual int32 getHostVendorVersion();                              // 95
    virtual int32 hostVendorSpecific(int32 arg1, VstWord arg2, void* ptrArg, float floatArg);
    virtual int32 canHostDo(char* text);                  // 97
    virtual void isSynth(bool state = true);              // 98
    virtual void noTail(bool state = true);               // 99
    virtual int32 getHostLanguage();                      // 100
    virtual void* openWindow(void* window);               // 101
    virtual bool closeWindow(void* window);               // 102
    virtual void* getDirectory();                         // 103
    virtual bool updateDisplay();                         // 104
    virtual bool processVariableIo(VstVariableIo* varIo); // 105
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                                       VstSpeakerArrangement* pluginOutput); // 106
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                       VstSpeakerArrangement** pluginOutput);  // 107
    virtual void setBlockSizeAndSampleRate(int32 blockSize, float sampleRate); // 108
    virtual bool setBypass(bool onOff);                                        // 109
    virtual bool getEffectName(char* name);                                    // 110
    virtual bool getErrorText(char* text);                                     // 111
    virtual bool getVendorString(char* text);                                  // 112
    virtual bool getProductString(char* text);                                 // 113
    virtual int32 getVendorVersion();                                          // 114
    virtual int32 vendorSpecific(int32 arg1, VstWord arg2, void* ptrArg, float floatArg);
    virtual int32 canDo(char* text);                // 116
    virtual void* getIcon();                        // 117
    virtual bool setViewPosition(int32 x, int32 y); // 118
    virtual int32 getGetTailSize();                 // 119
    virtual int32 fxIdle();                         // 120
    virtual bool getParameterProperties(int32 index, VstParameterProperties* properties);
    virtual bool keysRequired();   // 122
    virtual int32 getVstVersion(); // 123
    virtual int32 getMidiProgramName(int32 channel, MidiProgramName* midiProgramName);
    virtual int32 getCurrentMidiProgram(int32 channel, MidiProgramName* currentProgram);
    virtual int32 getMidiProgramCategory(int32 channel, MidiProgramCategory* category);
    virtual bool hasMidiProgramsChanged(int32 channel);                // 127
    virtual bool getMidiKeyName(int32 channel, MidiKeyName* keyName);  // 128
    virtual bool beginSetProgram();                                    // 129
    virtual bool endSetProgram();                                      // 130
    virtual bool beginEdit(int32 index);                               // 131
    virtual bool endEdit(int32 index);                                 // 132
    virtual bool openFileSelector(VstFileSelect* fileSelect);          // 133
    virtual int32 setTotalSampleToProcess(int32 value);                // 134
    virtual int32 getNextShellPlugin(char* name);                      // 135
    virtual int32 startProcess();                                      // 136
    virtual int32 stopProcess();                                       // 137
    virtual bool setPanLaw(int32 type, float value);                   // 138
    virtual int32 beginLoadBank(VstPatchChunkInfo* patchChunkInfo);    // 139
    virtual int32 beginLoadProgram(VstPatchChunkInfo* patchChunkInfo); // 140
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, int32 numChannels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);        // 142
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from); // 143
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    // Plain host calls.
    bool sendVstEventsToHost(VstEvents* events);
    bool closeFileSelector(VstFileSelect* fileSelect);
    bool getChunkFile(void* nativePath);
};
