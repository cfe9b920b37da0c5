// One LV2 instance of the plug-in: the effect's core, the host's port
// buffers, and the outgoing atom sequence the core's MIDI thru goes to.
// Each block hands the core its MIDI, then runs it once, so the sound is the
// same bit for bit as the other formats'.
#pragma once

#include <lv2/atom/atom.h>

#include <cstdint>
#include <memory>

#include "control_follower.h"
#include "core/effect_core.h"
#include "host_features.h"
#include "lv2_ports.h"
#include "midi_atoms.h"

namespace tarvel_lv2 {

class TarvelLv2 final : private EffectOutput {
public:
    // The most events one block hands the effect: its queue holds no more.
    static constexpr int32 kMaxEventsPerBlock = MidiStore::kCapacity;

    TarvelLv2(double sampleRate, const HostFeatures& host);
    TarvelLv2(const TarvelLv2&) = delete;
    TarvelLv2& operator=(const TarvelLv2&) = delete;
    // False when the effect could not be made.
    bool ready() const { return core != nullptr; }

    void connect(std::uint32_t port, void* data);
    void activate();
    void run(std::uint32_t frames);
    void deactivate();

    // The gain the effect plays with: CycleMachine::kNcvolume or kIpvolume.
    float gain(int32 index) const { return core->cycles.gain(index); }

private:
    std::unique_ptr<EffectCore> makeCore();
    void followControl(const float* port, ControlFollower& follower, int32 index);
    void deliverMidi(int32 frames);

    // What the core releases: controller 1 moves ncvolume; each message
    // becomes an atom of the outgoing sequence.
    void controllerGain(float value, int32 delta) override;
    void programChange(int32 program, int32 delta) override;
    void relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) override;

    HostFeatures host_;
    std::unique_ptr<EffectCore> core;
    bool activatedBefore = false;

    const float* inLeft = nullptr;
    const float* inRight = nullptr;
    float* outLeft = nullptr;
    float* outRight = nullptr;
    const float* ncvolumePort = nullptr;
    const float* ipvolumePort = nullptr;
    const LV2_Atom_Sequence* midiIn = nullptr;
    LV2_Atom_Sequence* midiOut = nullptr;

    ControlFollower ncvolume;
    ControlFollower ipvolume;
    MidiOutput midiOutput;

    // The block's events as the atom sequence holds them.
    MidiInEvent events[kMaxEventsPerBlock] = {};
};

} // namespace tarvel_lv2
