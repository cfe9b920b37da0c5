// The base class of every effect: turns the core opcodes (0 to 24) into
// virtual operations with neutral defaults, keeps the record handed to the
// host, and offers the text converters for parameter displays.
//
// The virtual operations stand in the interface's slot order; AudioEffectX
// appends its own after the last one.
#pragma once

#include <atomic>

#include "host/vst_types.h"

class AEffEditor;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, int32 numPrograms, int32 numParams);
    virtual ~AudioEffect(); // slot 0

    virtual void setParameter(int32 index, float value);          // 1
    virtual float getParameter(int32 index);                      // 2
    virtual void setParameterAutomated(int32 index, float value); // 3
    virtual void process(float** inputs, float** outputs, int32 sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32 sampleFrames);
    virtual VstWord dispatcher(int32 opcode, int32 index, VstWord value, void* ptr, float opt);
    virtual void open();                                               // 7
    virtual void close();                                              // 8
    virtual int32 getProgram();                                        // 9
    virtual void setProgram(int32 program);                            // 10
    virtual void setProgramName(char* name);                           // 11
    virtual void getProgramName(char* name);                           // 12
    virtual void getParameterLabel(int32 index, char* label);          // 13
    virtual void getParameterDisplay(int32 index, char* text);         // 14
    virtual void getParameterName(int32 index, char* text);            // 15
    virtual float getVu();                                             // 16
    virtual int32 getChunk(void** data, bool isPreset);                // 17
    virtual int32 setChunk(void* data, int32 byteSize, bool isPreset); // 18
    virtual void setSampleRate(float sampleRate);                      // 19
    virtual void setBlockSize(int32 blockSize);                        // 20
    virtual void suspend();                                            // 21
    virtual void resume();                                             // 22
    virtual void setUniqueID(int32 id);                                // 23
    virtual void setNumInputs(int32 count);                            // 24
    virtual void setNumOutputs(int32 count);                           // 25
    virtual void hasVu(bool state);                                    // 26
    virtual void hasClip(bool state);                                  // 27
    virtual void canMono(bool state);                                  // 28
    virtual void canProcessReplacing(bool state);                      // 29
    virtual void programsAreChunks(bool state);                        // 30
    virtual void setRealtimeQualities(int32 qualities);                // 31
    virtual void setOfflineQualities(int32 qualities);                 // 32
    virtual void setInitialDelay(int32 delay);                         // 33
    virtual float getSampleRate();                                     // 34
    virtual int32 getBlockSize();                                      // 35
    virtual int32 getMasterVersion();                                  // 36
    virtual int32 getCurrentUniqueId();                                // 37
    virtual void masterIdle();                                         // 38
    virtual bool isInputConnected(int32 input);                        // 39
    virtual bool isOutputConnected(int32 output);                      // 40
    virtual void dB2string(float value, char* text);                   // 41
    virtual void Hz2string(float samples, char* text);                 // 42
    virtual void ms2string(float samples, char* text);                 // 43
    virtual void float2string(float value, char* text);                // 44
    virtual void long2string(int32 value, char* text);                 // 45

    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* editorOf() const { return editor; }
    // The editor's constructor registers it here and marks the record.
    void setEditor(AEffEditor* newEditor);

protected:
    void setFlag(int32 flag, bool state);
    VstWord callHost(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

    float sampleRate;
    AEffEditor* editor;
    audioMasterCallback audioMaster;
    int32 numPrograms;
    int32 numParams;
    // Set by program changes from the host's user-interface thread and from
    // MIDI on its audio thread: one word, stored and loaded whole.
    std::atomic<int32> curProgram;
    int32 blockSize;
    AEffect cEffect;
};
