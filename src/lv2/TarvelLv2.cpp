#include "TarvelLv2.h"

#include <new>

#include "host/vst_opcodes.h"

namespace tarvel_lv2 {

TarvelLv2::TarvelLv2(double sampleRate, const HostFeatures& host)
    : sampleRate_(static_cast<float>(sampleRate)), host_(host), effect_(makeEffect()) {}

// The effect calls back with its own record; `user` leads back here.
std::unique_ptr<TarvelEffect> TarvelLv2::makeEffect() {
    std::unique_ptr<TarvelEffect> effect(new (std::nothrow) TarvelEffect(&hostCallback));
    if (effect != nullptr) {
        effect->getAeffect()->user = this;
        effect->setSampleRate(sampleRate_);
    }
    return effect;
}

void TarvelLv2::connect(std::uint32_t port, void* data) {
    switch (port) {
    case kInLeft:
        inLeft_ = static_cast<const float*>(data);
        break;
    case kInRight:
        inRight_ = static_cast<const float*>(data);
        break;
    case kOutLeft:
        outLeft_ = static_cast<float*>(data);
        break;
    case kOutRight:
        outRight_ = static_cast<float*>(data);
        break;
    case kNcvolume:
        ncvolumePort_ = static_cast<const float*>(data);
        break;
    case kIpvolume:
        ipvolumePort_ = static_cast<const float*>(data);
        break;
    case kMidiIn:
        midiIn_ = static_cast<const LV2_Atom_Sequence*>(data);
        break;
    case kMidiOut:
        midiOut_ = static_cast<LV2_Atom_Sequence*>(data);
        break;
    default:
        break;
    }
}

// An activation after a deactivation starts from a new effect, as LV2 asks:
// nothing of an earlier run (a half-recorded cycle, queued MIDI) carries over.
// The port values then reach the new effect with the first block.
void TarvelLv2::activate() {
    if (activatedBefore_) {
        std::unique_ptr<TarvelEffect> fresh = makeEffect();
        if (fresh != nullptr) {
            effect_ = std::move(fresh);
        }
    }
    activatedBefore_ = true;
    ncvolume_.reset();
    ipvolume_.reset();
    effect_->resume();
}

void TarvelLv2::deactivate() {
    effect_->suspend();
}

void TarvelLv2::run(std::uint32_t frames) {
    // Control changes act from the block's first frame, before its MIDI.
    followControl(ncvolumePort_, ncvolume_, TarvelEffect::kNcvolume);
    followControl(ipvolumePort_, ipvolume_, TarvelEffect::kIpvolume);
    const int32 blockFrames =
        frames > static_cast<std::uint32_t>(INT32_MAX) ? INT32_MAX : static_cast<int32>(frames);
    const bool midi = host_.map != nullptr;
    midiOutput_.begin(midi ? midiOut_ : nullptr, host_.types, blockFrames);
    if (blockFrames == 0 || inLeft_ == nullptr || outLeft_ == nullptr || outRight_ == nullptr) {
        return;
    }
    if (midi && midiIn_ != nullptr) {
        deliverMidi(blockFrames);
    }
    // The effect reads the left input only; the right one is handed over
    // as a host would, and may be unconnected.
    float* inputs[2] = {const_cast<float*>(inLeft_),
                        const_cast<float*>(inRight_ != nullptr ? inRight_ : inLeft_)};
    float* outputs[2] = {outLeft_, outRight_};
    effect_->processReplacing(inputs, outputs, blockFrames);
}

void TarvelLv2::followControl(const float* port, ControlFollower& follower, int32 index) {
    float gain = 0.0f;
    if (port != nullptr && follower.changed(*port) && gainFromPort(*port, gain)) {
        effect_->setParameter(index, gain);
    }
}

void TarvelLv2::deliverMidi(int32 frames) {
    const int32 count = readMidiEvents(*midiIn_, host_.types, frames, events_, kMaxEventsPerBlock);
    if (count == 0) {
        return;
    }
    list_.head.numEvents = count;
    list_.head.reserved = 0;
    VstEvent** pointers = list_.head.events;
    for (int32 i = 0; i < count; ++i) {
        pointers[i] = reinterpret_cast<VstEvent*>(&events_[i]);
    }
    effect_->processEvents(&list_.head);
}

// Each relayed event becomes one MIDI atom at the frame the effect sends it at.
void TarvelLv2::relay(const VstEvents& events) {
    VstEvent* const* pointers = events.events;
    for (int32 i = 0; i < events.numEvents; ++i) {
        const VstEvent* event = pointers[i];
        if (event == nullptr || event->type != kVstMidiType) {
            continue;
        }
        const auto& midi = *reinterpret_cast<const VstMidiEvent*>(event);
        std::uint8_t bytes[3];
        for (int b = 0; b < 3; ++b) {
            bytes[b] = static_cast<std::uint8_t>(midi.midiData[b]);
        }
        midiOutput_.append(midi.deltaFrames, bytes, midiMessageSize(bytes[0]));
    }
}

VstWord VSTCALL TarvelLv2::hostCallback(AEffect* effect, int32 opcode, int32 /*index*/,
                                        VstWord /*value*/, void* ptr, float /*opt*/) {
    auto* self = effect != nullptr ? static_cast<TarvelLv2*>(effect->user) : nullptr;
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterProcessEvents:
        if (self == nullptr || ptr == nullptr) {
            return 0;
        }
        self->relay(*static_cast<const VstEvents*>(ptr));
        return 1;
    case audioMasterGetSampleRate:
        return self != nullptr ? static_cast<VstWord>(self->sampleRate_) : 0;
    default:
        return 0;
    }
}

} // namespace tarvel_lv2
