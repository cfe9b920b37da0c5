// The plug-in's effect: one program, two gains ("ncvolume" for the replayed
// cycle, "ipvolume" for the live input), cycle capture and playback on the
// left input, and a MIDI queue that relays each event to the host at its
// frame. Overrides stand in the base classes' slot order.
#pragma once

#include <atomic>

#include "effect/TarvelProgram.h"
#include "host/AudioEffectX.h"

class ParameterPanel;

// One frame of the effect's output; both channels always carry the same value.
struct StereoFrame {
    float left;
    float right;
};

class TarvelEffect : public AudioEffectX {
public:
    static constexpr int32 kNumPrograms = 1;
    static constexpr int32 kNumParams = 2;
    // Longest cycle kept; a longer one is cut here (a quarter second at 44.1 kHz).
    static constexpr int32 kCycleCapacity = 11025;
    // Slot 0 is the outgoing message; slots 1 to 249 hold queued events.
    static constexpr int32 kEventSlots = 250;
    static constexpr int32 kTextSize = 24;

    explicit TarvelEffect(audioMasterCallback host);
    ~TarvelEffect() override;

    void setParameter(int32 index, float value) override;
    float getParameter(int32 index) override;
    void process(float** inputs, float** outputs, int32 sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32 sampleFrames) override;
    void setProgram(int32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32 index, char* label) override;
    void getParameterDisplay(int32 index, char* text) override;
    void getParameterName(int32 index, char* text) override;
    float getVu() override;
    void suspend() override;
    void resume() override;
    int32 processEvents(VstEvents* events) override;
    bool getProgramNameIndexed(int32 category, int32 index, char* text) override;
    bool copyProgram(int32 destination) override;
    bool getInputProperties(int32 index, VstPinProperties* properties) override;
    bool getOutputProperties(int32 index, VstPinProperties* properties) override;
    int32 getPlugCategory() override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32 getVendorVersion() override;
    int32 canDo(char* text) override;
    int32 getGetTailSize() override;

    // One step of the capture and playback state machine on the left sample.
    StereoFrame processSample(float left, float right);
    // Relays (and acts on) the queued events due at `frame` of the current block.
    void releaseEvents(int32 frame);

    // The editor panel registers here, beside registering as the editor, to
    // be told of every parameter value.
    void attachPanel(ParameterPanel* newPanel) { panel = newPanel; }
    int32 queuedEvents() const { return queuedCount; }

private:
    template <bool accumulate>
    void processBlock(float** inputs, float** outputs, int32 sampleFrames);
    void moveQueueBack(int32 sampleFrames);
    void admit(const VstMidiEvent& event);
    void removeQueued(int32 position);
    void act(int32 status, int32 data1, int32 data2, int32 delta);

    // The sendEvent family: each writes one message into slot 0 and sends it.
    void sendNoteOff(int32 channel, int32 note, int32 velocity, int32 delta);
    void sendNoteOn(int32 channel, int32 note, int32 velocity, int32 delta);
    void sendPolyPressure(int32 channel, int32 note, int32 pressure, int32 delta);
    void sendControlChange(int32 channel, int32 controller, int32 value, int32 delta);
    void sendProgramChange(int32 channel, int32 program, int32 delta);
    void sendChannelPressure(int32 channel, int32 pressure, int32 delta);
    void sendPitchBend(int32 channel, int32 low, int32 high, int32 delta);
    void sendEvent(int32 status, int32 data1, int32 data2, int32 delta);

    TarvelProgram programs[kNumPrograms];
    // Written by the user-interface thread and by MIDI on the audio thread,
    // read by every audio step: whole-word atomic values, no ordering needed.
    std::atomic<float> ncvolume{1.0f};
    std::atomic<float> ipvolume{1.0f};
    ParameterPanel* panel = nullptr;

    float cycleBuffer[kCycleCapacity] = {};
    int32 playIndex = 0;
    int32 cycleLength = 0;
    bool playing = false;
    float previousSample = 0.0f;

    VstEvents outEvents = {};
    VstMidiEvent eventSlots[kEventSlots] = {};
    bool slotQueued[kEventSlots] = {};
    // Entries 0 to queuedCount - 1 name the queued slots, oldest first.
    int32 eventOrder[kEventSlots] = {};
    int32 queuedCount = 0;
    int32 blockFrames = 0;

    char effectName[kTextSize] = {};
    char productString[kTextSize] = {};
    char vendorString[kTextSize] = {};
};
