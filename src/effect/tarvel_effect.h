// The plug-in's effect as a VST 2.x plug-in: one program, two gains
// ("ncvolume" for the replayed cycle, "ipvolume" for the live input), and
// the effect's core (cycle capture and playback on the left input, a MIDI
// queue), whose released events go to the host one by one at their frames.
// Overrides stand in the base classes' slot order.
#pragma once

#include "core/effect_core.h"
#include "effect/tarvel_program.h"
#include "host/audio_effect_x.h"

class ParameterPanel;

class TarvelEffect final : public AudioEffectX {
public:
    static constexpr int32 kNumPrograms = 1;
    static constexpr int32 kNumParams = 2;
    // The parameters' indices: the replayed cycle's gain, the live input's.
    static constexpr int32 kNcvolume = CycleMachine::kNcvolume;
    static constexpr int32 kIpvolume = CycleMachine::kIpvolume;
    // Longest cycle kept; a longer one is cut here (a quarter second at 44.1 kHz).
    static constexpr int32 kCycleCapacity = CycleMachine::kCycleCapacity;
    // Frames the block path takes at once where the signal crosses zero
    // every few frames.
    static constexpr int32 kDenseWindow = CycleMachine::kDenseWindow;
    // The queue holds kEventSlots - 1 events (slot 0 was the outgoing message).
    static constexpr int32 kEventSlots = MidiStore::kSlots;
    static constexpr int32 kTextSize = 24;
    static_assert(MidiStore::kPrograms == kNumPrograms, "program changes select the bank's");

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
    // The host's scale for the editor (index 'PreS', value 'AeCs', the
    // factor in opt): 1 when the editor took it, 0 otherwise and for every
    // other vendor call.
    int32 vendorSpecific(int32 index, VstWord value, void* ptr, float opt) override;
    int32 getGetTailSize() override;

    // The pieces a block is made of, frame by frame: startBlock sets the
    // length the release rule divides by; then for every frame, while events
    // are queued, releaseEvents relays (and acts on) those due at it, and
    // processSample takes one step of the capture and playback state machine
    // on the left sample; endBlock moves the events still queued back by the
    // block's length. process and processReplacing compute exactly this, a
    // stretch of frames at a time.
    void startBlock(int32 sampleFrames) { core.midi.startBlock(sampleFrames); }
    void releaseEvents(int32 frame) { core.midi.releaseEvents(frame); }
    StereoFrame processSample(float left, float right) {
        return core.cycles.processSample(left, right);
    }
    void endBlock(int32 sampleFrames) { core.midi.endBlock(sampleFrames); }

    // The editor panel registers here, beside registering as the editor, to
    // be told of every parameter value; it detaches itself when it goes.
    void attachPanel(ParameterPanel* newPanel) { panel = newPanel; }
    void detachPanel(ParameterPanel* oldPanel) {
        if (panel == oldPanel) {
            panel = nullptr;
        }
    }
    int32 queuedEvents() const { return core.midi.queuedEvents(); }

private:
    template <bool accumulate>
    void processBlock(float** inputs, float** outputs, int32 sampleFrames);

    // What the core releases: controller 1 and program changes act as the
    // host's own parameter and program calls; each message goes to the host
    // in the one-event list `events`, which always carries `outgoing`.
    class HostRelay final : public EffectOutput {
    public:
        explicit HostRelay(TarvelEffect& effect);
        void controllerGain(float value, int32 delta) override;
        void programChange(int32 program, int32 delta) override;
        void relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) override;

    private:
        TarvelEffect& owner;
        VstEvents events = {};
        VstMidiEvent outgoing = {};
    };

    TarvelProgram programs[kNumPrograms];
    ParameterPanel* panel = nullptr;
    HostRelay relay{*this};
    EffectCore core{relay};

    char effectName[kTextSize] = {};
    char productString[kTextSize] = {};
    char vendorString[kTextSize] = {};
};
