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
    // The parameters' indices: the replayed cycle's gain, the live input's.
    static constexpr int32 kNcvolume = 0;
    static constexpr int32 kIpvolume = 1;
    // Longest cycle kept; a longer one is cut here (a quarter second at 44.1 kHz).
    static constexpr int32 kCycleCapacity = 11025;
    // Frames the block path takes at once where the signal crosses zero
    // every few frames.
    static constexpr int32 kDenseWindow = 256;
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

    // The pieces a block is made of, frame by frame: startBlock sets the
    // length the release rule divides by; then for every frame, while events
    // are queued, releaseEvents relays (and acts on) those due at it, and
    // processSample takes one step of the capture and playback state machine
    // on the left sample; endBlock moves the events still queued back by the
    // block's length. process and processReplacing compute exactly this, a
    // stretch of frames at a time.
    void startBlock(int32 sampleFrames);
    void releaseEvents(int32 frame);
    StereoFrame processSample(float left, float right);
    void endBlock(int32 sampleFrames);

    // The editor panel registers here, beside registering as the editor, to
    // be told of every parameter value; it detaches itself when it goes.
    void attachPanel(ParameterPanel* newPanel) { panel = newPanel; }
    void detachPanel(ParameterPanel* oldPanel) {
        if (panel == oldPanel) {
            panel = nullptr;
        }
    }
    int32 queuedEvents() const { return queuedCount; }

private:
    template <bool accumulate>
    void processBlock(float** inputs, float** outputs, int32 sampleFrames);
    // The frames between two event frames, in stretches of one phase each.
    template <bool accumulate>
    void renderFrames(const float* left, float* outLeft, float* outRight, int32 frames);
    template <bool accumulate>
    int32 captureFrames(const float* left, float* outLeft, float* outRight, int32 frames,
                        float liveGain, float cycleGain);
    template <bool accumulate>
    void denseFrames(const float* x, float* outLeft, float* outRight, int32 frames, float liveGain,
                     float cycleGain);
    template <bool accumulate>
    void stepFrames(const float* x, float* outLeft, float* outRight, int32 frames, float liveGain,
                    float cycleGain);
    // The state machine's transitions (cycle_transitions.h).
    bool recorded(int32 count);
    void recordSample(float x);
    void closeCycle();
    int32 recordUntil(const float* x, int32 first, int32 stop, int32 end, int32 readable);
    void advancePlayback(int32 count);

    void admit(const VstMidiEvent& event);
    // The frame of the current block at which an event is due.
    int32 dueFrame(int32 deltaFrames) const {
        if (deltaFrames < blockFrames) {
            return deltaFrames < 0 ? 0 : deltaFrames;
        }
        return deltaFrames % blockFrames;
    }
    void removeQueued(int32 position);
    void releaseSlot(int32 slot);
    void scheduleQueued();
    void insertScheduled(int32 frame, int32 slot);
    void releaseScheduled(int32 frame);
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

    // Places past the longest cycle that writes may run over: a copy into the
    // buffer goes in rounds of eight samples, up to seven past its count, and
    // a step through a replay writes one past the cycle's end.
    static constexpr int32 kOverwriteRoom = 8;
    static constexpr int32 kCycleBufferSize = kCycleCapacity + kOverwriteRoom;
    // The sample that ends every recorded cycle.
    static constexpr float kClosingSample = 0.0f;
    float cycleBuffer[kCycleBufferSize] = {};
    int32 playIndex = 0;
    int32 cycleLength = 0;
    bool playing = false;
    float previousSample = 0.0f;

    VstEvents outEvents = {};
    VstMidiEvent eventSlots[kEventSlots] = {};
    bool slotQueued[kEventSlots] = {};
    // Every slot below this one is queued: admission searches from here.
    int32 firstFreeSlot = 1;
    int32 queuedCount = 0;
    // Entries 0 to orderCount - 1 name queued slots, oldest first. Between
    // blocks these are all the queued events; while a block runs, those
    // scheduled for it are in `schedule` instead.
    int32 eventOrder[kEventSlots] = {};
    int32 orderCount = 0;
    int32 blockFrames = 0;

    // The events the running block releases, by due frame and, within a
    // frame, oldest first (`age` is the place in the queue they came from).
    // Entries from scheduleNext to scheduleEnd - 1 are still to come.
    struct ScheduledEvent {
        int32 frame;
        int32 age;
        int32 slot;
    };
    ScheduledEvent schedule[kEventSlots] = {};
    int32 scheduleNext = 0;
    int32 scheduleEnd = 0;
    // Set while process or processReplacing runs: an event the host hands
    // over from inside a relay then joins the schedule if it is still due.
    bool blockRunning = false;
    int32 releaseFrame = 0;

    char effectName[kTextSize] = {};
    char productString[kTextSize] = {};
    char vendorString[kTextSize] = {};
};
