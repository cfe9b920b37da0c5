#include "tarvel_lv2.h"

#include <new>

namespace tarvel_lv2 {

// The effect does not depend on the sample rate.
TarvelLv2::TarvelLv2(double /*sampleRate*/, const HostFeatures& host)
    : host_(host), core(makeCore()) {}

std::unique_ptr<EffectCore> TarvelLv2::makeCore() {
    return std::unique_ptr<EffectCore>(new (std::nothrow) EffectCore(*this));
}

void TarvelLv2::connect(std::uint32_t port, void* data) {
    switch (port) {
    case kInLeft:
        inLeft = static_cast<const float*>(data);
        break;
    case kInRight:
        inRight = static_cast<const float*>(data);
        break;
    case kOutLeft:
        outLeft = static_cast<float*>(data);
        break;
    case kOutRight:
        outRight = static_cast<float*>(data);
        break;
    case kNcvolume:
        ncvolumePort = static_cast<const float*>(data);
        break;
    case kIpvolume:
        ipvolumePort = static_cast<const float*>(data);
        break;
    case kMidiIn:
        midiIn = static_cast<const LV2_Atom_Sequence*>(data);
        break;
    case kMidiOut:
        midiOut = static_cast<LV2_Atom_Sequence*>(data);
        break;
    default:
        break;
    }
}

// An activation after a deactivation starts from a new effect, as LV2 asks:
// nothing of an earlier run (a half-recorded cycle, queued MIDI) carries over.
// The port values then reach the new effect with the first block.
void TarvelLv2::activate() {
    if (activatedBefore) {
        std::unique_ptr<EffectCore> fresh = makeCore();
        if (fresh != nullptr) {
            core = std::move(fresh);
        }
    }
    activatedBefore = true;
    ncvolume.reset();
    ipvolume.reset();
}

// The capture state and the queue wait as they are until the next
// activation replaces them.
void TarvelLv2::deactivate() {}

void TarvelLv2::run(std::uint32_t frames) {
    // Control changes act from the block's first frame, before its MIDI.
    followControl(ncvolumePort, ncvolume, CycleMachine::kNcvolume);
    followControl(ipvolumePort, ipvolume, CycleMachine::kIpvolume);
    const int32 blockFrames =
        frames > static_cast<std::uint32_t>(INT32_MAX) ? INT32_MAX : static_cast<int32>(frames);
    const bool midi = host_.map != nullptr;
    midiOutput.begin(midi ? midiOut : nullptr, host_.types, blockFrames);
    if (blockFrames == 0 || inLeft == nullptr || outLeft == nullptr || outRight == nullptr) {
        return;
    }
    if (midi && midiIn != nullptr) {
        deliverMidi(blockFrames);
    }
    // The effect reads the left input only; the right one may be unconnected.
    core->processBlock<false>(inLeft, outLeft, outRight, blockFrames);
}

void TarvelLv2::followControl(const float* port, ControlFollower& follower, int32 index) {
    float gain = 0.0f;
    if (port != nullptr && follower.changed(*port) && gainFromPort(*port, gain)) {
        core->cycles.setGain(index, gain);
    }
}

// The queue is empty when a block starts (every event of the last one was
// due inside it) and holds as many events as a block hands over.
void TarvelLv2::deliverMidi(int32 frames) {
    const int32 count = readMidiEvents(*midiIn, host_.types, frames, events, kMaxEventsPerBlock);
    for (int32 i = 0; i < count; ++i) {
        core->midi.admit(events[i].frame, events[i].bytes);
    }
}

void TarvelLv2::controllerGain(float value, int32 /*delta*/) {
    core->cycles.setGain(CycleMachine::kNcvolume, value);
}

// The one program holds the values the gains have: selecting it leaves them.
void TarvelLv2::programChange(int32 /*program*/, int32 /*delta*/) {}

// Each relayed event becomes one MIDI atom at the frame the core sends it at.
void TarvelLv2::relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) {
    const std::uint8_t bytes[3] = {status, data1, data2};
    midiOutput.append(delta, bytes, midiMessageSize(status));
}

} // namespace tarvel_lv2
