#include "harness/plugin_host.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

#include "harness/host_registry.h"
#include "host/vst_opcodes.h"

namespace {

// Larger than any text buffer a host must offer for these opcodes, so that a
// plug-in writing past the customary sizes still lands inside it.
constexpr std::size_t kTextBufferSize = 256;

} // namespace

PluginHost::PluginHost(HostSettings settings) : settings_(settings), quiet(!settings.recordCalls) {}

PluginHost::~PluginHost() {
    if (effect_ != nullptr && ownsEffect) {
        close();
    } else if (effect_ != nullptr) {
        forget();
    }
}

bool PluginHost::load(PluginEntry entry) {
    if (effect_ != nullptr || entry == nullptr) {
        return false;
    }
    std::fill(std::begin(answered_), std::end(answered_), 0);
    effect_ = loadWithHost(this, entry);
    ownsEffect = true;
    return effect_ != nullptr;
}

bool PluginHost::attach(AEffect* record) {
    if (effect_ != nullptr || record == nullptr) {
        return false;
    }
    std::fill(std::begin(answered_), std::end(answered_), 0);
    registerEffect(record, this);
    effect_ = record;
    ownsEffect = false;
    return true;
}

audioMasterCallback PluginHost::callback() {
    return &harnessHostCallback;
}

VstWord PluginHost::dispatch(int32 opcode, int32 index, VstWord value, void* ptr, float opt) {
    if (effect_ == nullptr) {
        return 0;
    }
    if (opcode == effSetSampleRate || opcode == effSetBlockSizeAndSampleRate) {
        settings_.sampleRate = opt;
    }
    if (opcode == effSetBlockSize || opcode == effSetBlockSizeAndSampleRate) {
        settings_.blockSize = static_cast<int32>(value);
    }
    AEffect* effect = effect_;
    if (opcode == effClose) {
        // The record dies inside this call; calls the plug-in makes while it
        // closes still reach this host.
        const VstWord result = effect->dispatcher(effect, opcode, index, value, ptr, opt);
        forget();
        return result;
    }
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string PluginHost::dispatchText(int32 opcode, int32 index) {
    std::array<char, kTextBufferSize> text{};
    dispatch(opcode, index, 0, text.data(), 0.0f);
    text.back() = '\0';
    return std::string(text.data());
}

void PluginHost::open() {
    dispatch(effOpen);
}
void PluginHost::setSampleRate(float rate) {
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}
void PluginHost::setBlockSize(int32 frames) {
    dispatch(effSetBlockSize, 0, frames);
}
void PluginHost::resume() {
    dispatch(effMainsChanged, 0, 1);
}
void PluginHost::suspend() {
    dispatch(effMainsChanged, 0, 0);
}
void PluginHost::close() {
    dispatch(effClose);
}

void PluginHost::forget() {
    unregisterEffect(effect_);
    effect_ = nullptr;
}

void PluginHost::setParameter(int32 index, float value) {
    if (effect_ != nullptr) {
        effect_->setParameter(effect_, index, value);
    }
}

float PluginHost::getParameter(int32 index) {
    return effect_ != nullptr ? effect_->getParameter(effect_, index) : 0.0f;
}

std::string PluginHost::parameterName(int32 index) {
    return dispatchText(effGetParamName, index);
}
std::string PluginHost::parameterLabel(int32 index) {
    return dispatchText(effGetParamLabel, index);
}
std::string PluginHost::parameterDisplay(int32 index) {
    return dispatchText(effGetParamDisplay, index);
}
std::string PluginHost::programName() {
    return dispatchText(effGetProgramName);
}
std::string PluginHost::effectName() {
    return dispatchText(effGetEffectName);
}
std::string PluginHost::vendorString() {
    return dispatchText(effGetVendorString);
}
std::string PluginHost::productString() {
    return dispatchText(effGetProductString);
}
VstWord PluginHost::vendorVersion() {
    return dispatch(effGetVendorVersion);
}

VstWord PluginHost::canDo(const std::string& capability) {
    std::string text = capability; // the opcode takes a non-const pointer
    return dispatch(effCanDo, 0, 0, text.data(), 0.0f);
}

VstWord PluginHost::processEvents(MidiEventList& events) {
    return dispatch(effProcessEvents, 0, 0, events.events(), 0.0f);
}

void PluginHost::process(float** inputs, float** outputs, int32 frames) {
    if (effect_ != nullptr) {
        lastMode = ProcessMode::accumulating;
        effect_->process(effect_, inputs, outputs, frames);
    }
}

void PluginHost::processReplacing(float** inputs, float** outputs, int32 frames) {
    if (effect_ != nullptr) {
        lastMode = ProcessMode::replacing;
        effect_->processReplacing(effect_, inputs, outputs, frames);
    }
}

VstWord PluginHost::processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                                 StereoBuffer& output, ProcessMode mode) {
    VstWord eventsAnswer = 0;
    if (!midi.empty()) {
        MidiEventList list(midi);
        eventsAnswer = processEvents(list);
    }
    if (mode == ProcessMode::replacing) {
        processReplacing(input.channels(), output.channels(), input.frames());
    } else {
        process(input.channels(), output.channels(), input.frames());
    }
    return eventsAnswer;
}

int PluginHost::answered(int32 opcode) const {
    return opcode >= 0 && opcode < kCountedOpcodes ? answered_[opcode] : 0;
}

void PluginHost::setAnswer(int32 opcode, VstWord answer) {
    for (auto& scripted : scriptedAnswers) {
        if (scripted.first == opcode) {
            scripted.second = answer;
            return;
        }
    }
    scriptedAnswers.emplace_back(opcode, answer);
    quiet = false;
}

std::vector<HostCall> PluginHost::takeCalls() {
    std::vector<HostCall> taken;
    taken.swap(calls_);
    return taken;
}
