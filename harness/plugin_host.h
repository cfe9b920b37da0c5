// The harness's host: loads one plug-in instance, answers its callback,
// records every call it makes, and drives it through the record's entries.
//
// One PluginHost drives one instance, from one thread. Each call below is
// one dispatcher opcode or one entry function, named after what it does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "harness/host_call.h"
#include "harness/midi_event_list.h"
#include "harness/plugin_module.h"
#include "harness/stereo_buffer.h"
#include "host/vst_opcodes.h"

// What the host tells the plug-in about itself.
struct HostSettings {
    VstWord version = 2400;          // audioMasterVersion; 0 makes a plug-in refuse to load
    VstWord processEventsAnswer = 1; // audioMasterProcessEvents: 1 means taken
    float sampleRate = 44100.0f;     // until effSetSampleRate says otherwise
    int32 blockSize = 1024;          // until effSetBlockSize says otherwise
    // False keeps no record and tells no observer: the host only counts the
    // calls (answered()), so that answering allocates nothing and costs next
    // to nothing inside the blocks a benchmark times.
    bool recordCalls = true;
    // A host that resizes its editor window when asked: canDo "sizeWindow"
    // answers yes and audioMasterSizeWindow 1. Off, both answer 0.
    bool sizesWindows = false;
};

enum class ProcessMode { replacing, accumulating };

class PluginHost {
public:
    explicit PluginHost(HostSettings settings = HostSettings{});
    ~PluginHost(); // closes an instance still open
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Calls the entry point with the host callback. False when the plug-in
    // refuses (returns null) or one is loaded already.
    bool load(PluginEntry entry);
    AEffect* effect() const { return effect_; }
    bool isLoaded() const { return effect_ != nullptr; }
    // Answers an instance the caller built itself (an effect object made with
    // callback()) and keeps: the host never closes it, only stops answering
    // it when it goes. False when an instance is there already.
    bool attach(AEffect* record);
    static audioMasterCallback callback();

    // Any opcode. effSetSampleRate, effSetBlockSize and
    // effSetBlockSizeAndSampleRate also become the host's answers to the
    // plug-in's queries; effClose ends the instance.
    VstWord dispatch(int32 opcode, int32 index = 0, VstWord value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
    // An opcode that writes a text into the pointer it is given.
    std::string dispatchText(int32 opcode, int32 index = 0);

    void open();                     // effOpen
    void setSampleRate(float rate);  // effSetSampleRate
    void setBlockSize(int32 frames); // effSetBlockSize
    void resume();                   // effMainsChanged 1
    void suspend();                  // effMainsChanged 0
    void close();                    // effClose; the record is gone afterwards

    void setParameter(int32 index, float value);  // the setParameter entry
    float getParameter(int32 index);              // the getParameter entry
    std::string parameterName(int32 index);       // effGetParamName
    std::string parameterLabel(int32 index);      // effGetParamLabel
    std::string parameterDisplay(int32 index);    // effGetParamDisplay
    std::string programName();                    // effGetProgramName
    std::string effectName();                     // effGetEffectName
    std::string vendorString();                   // effGetVendorString
    std::string productString();                  // effGetProductString
    VstWord vendorVersion();                      // effGetVendorVersion
    VstWord canDo(const std::string& capability); // effCanDo

    // effProcessEvents with the list; the plug-in's answer.
    VstWord processEvents(MidiEventList& events);
    void process(float** inputs, float** outputs, int32 frames);          // adds to outputs
    void processReplacing(float** inputs, float** outputs, int32 frames); // overwrites outputs
    // One block as a host runs it: the block's MIDI (effProcessEvents, only
    // when there is any), then the chosen process entry over all frames of
    // `input` into `output`. Returns the answer to effProcessEvents, or 0.
    VstWord processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                         StereoBuffer& output, ProcessMode mode);

    // Everything the plug-in asked of the host, oldest first.
    const std::vector<HostCall>& calls() const { return calls_; }
    std::vector<HostCall> takeCalls();
    void clearCalls() { calls_.clear(); }
    // Also tells `observer` of each call as it is made, on the caller's
    // thread (to look at the world at that moment); null stops it.
    void observeCalls(std::function<void(const HostCall&)> observer) {
        callObserver = std::move(observer);
    }

    // How many calls used `opcode` since the instance came, recorded or not.
    int answered(int32 opcode) const;
    // From now on answers `opcode` with `answer` in place of the host's own
    // answer: what a test needs a host to say.
    void setAnswer(int32 opcode, VstWord answer);

    const HostSettings& settings() const { return settings_; }

    // The host callback's work for this host: count the call, record it and
    // answer it. A relay to a host that neither records nor scripts is
    // answered right here: relays come inside the blocks a benchmark times.
    VstWord answer(AEffect* effect, int32 opcode, int32 index, VstWord value, void* ptr,
                   float opt) {
        if (opcode == audioMasterProcessEvents && quiet) {
            ++answered_[audioMasterProcessEvents];
            return settings_.processEventsAnswer;
        }
        return answerInFull(effect, opcode, index, value, ptr, opt);
    }

private:
    VstWord answerInFull(AEffect* effect, int32 opcode, int32 index, VstWord value, void* ptr,
                         float opt);
    VstWord reply(int32 opcode, void* ptr);
    void forget();

    HostSettings settings_;
    AEffect* effect_ = nullptr;
    bool ownsEffect = false;
    ProcessMode lastMode = ProcessMode::replacing;
    // Every audioMaster opcode is below this; calls past it are not counted.
    static constexpr int32 kCountedOpcodes = 64;
    int answered_[kCountedOpcodes] = {};
    std::vector<std::pair<int32, VstWord>> scriptedAnswers;
    bool quiet = false; // records nothing and has no scripted answers
    std::vector<HostCall> calls_;
    std::function<void(const HostCall&)> callObserver;
};
