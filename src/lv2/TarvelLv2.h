// One LV2 instance of the plug-in: the effect, the host's port buffers, and
// the host callback through which the effect's MIDI thru reaches the
// outgoing atom sequence. It drives the effect as a VST 2.x host does, one
// effProcessEvents and one processReplacing per block, so the sound is the
// same bit for bit.
#pragma once

#include <lv2/atom/atom.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "control_follower.h"
#include "effect/TarvelEffect.h"
#include "host_features.h"
#include "lv2_ports.h"
#include "midi_atoms.h"

namespace tarvel_lv2 {

class TarvelLv2 {
public:
    // The most events one block hands the effect: its queue holds no more.
    static constexpr int32 kMaxEventsPerBlock = TarvelEffect::kEventSlots - 1;

    TarvelLv2(double sampleRate, const HostFeatures& host);
    TarvelLv2(const TarvelLv2&) = delete;
    TarvelLv2& operator=(const TarvelLv2&) = delete;
    // False when the effect could not be made.
    bool ready() const { return effect_ != nullptr; }

    void connect(std::uint32_t port, void* data);
    void activate();
    void run(std::uint32_t frames);
    void deactivate();

    TarvelEffect& effect() { return *effect_; }

private:
    static VstWord VSTCALL hostCallback(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                        void* ptr, float opt);
    std::unique_ptr<TarvelEffect> makeEffect();
    void followControl(const float* port, ControlFollower& follower, int32 index);
    void deliverMidi(int32 frames);
    void relay(const VstEvents& events);

    float sampleRate_;
    HostFeatures host_;
    std::unique_ptr<TarvelEffect> effect_;
    bool activatedBefore_ = false;

    const float* inLeft_ = nullptr;
    const float* inRight_ = nullptr;
    float* outLeft_ = nullptr;
    float* outRight_ = nullptr;
    const float* ncvolumePort_ = nullptr;
    const float* ipvolumePort_ = nullptr;
    const LV2_Atom_Sequence* midiIn_ = nullptr;
    LV2_Atom_Sequence* midiOut_ = nullptr;

    ControlFollower ncvolume_;
    ControlFollower ipvolume_;
    MidiOutput midiOutput_;

    // The block's events as the effect takes them: the list header followed
    // by one pointer per event (the header declares room for two).
    VstMidiEvent events_[kMaxEventsPerBlock] = {};
    struct EventList {
        VstEvents head;
        VstEvent* more[kMaxEventsPerBlock];
    } list_ = {};
    static_assert(offsetof(EventList, more) == offsetof(VstEvents, events) + 2 * sizeof(VstEvent*),
                  "the extra event pointers follow the header's own two");
};

} // namespace tarvel_lv2
