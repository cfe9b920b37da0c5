#include "tarvel_clap.h"

#include <cassert>
#include <cmath>
#include <cstring>
#include <new>

#include "clap_state.h"

namespace tarvel_clap {

namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;

bool isParam(clap::Id id) {
    return id == kNcvolumeId || id == kIpvolumeId;
}

// A CLAP velocity (0 to 1) as a MIDI one; a note-on keeps at least 1, as
// velocity 0 would make it a note-off.
std::uint8_t midiVelocity(double velocity, bool noteOn) {
    double scaled = std::nearbyint(velocity * 127.0);
    if (!(scaled >= 0.0)) {
        scaled = 0.0;
    }
    if (scaled > 127.0) {
        scaled = 127.0;
    }
    if (noteOn && scaled < 1.0) {
        scaled = 1.0;
    }
    return static_cast<std::uint8_t>(scaled);
}

} // namespace

TarvelClap::TarvelClap(const clap::Host* host) : host_(host) {
    plugin_.pluginData = this;
}

TarvelClap* TarvelClap::of(const clap::Plugin* plugin) {
    return plugin != nullptr ? static_cast<TarvelClap*>(plugin->pluginData) : nullptr;
}

// The core is made here, on the main thread, so that activation and the
// audio thread never allocate.
bool TarvelClap::init() {
    if (host_ != nullptr && host_->getExtension != nullptr) {
        threadCheck = static_cast<const clap::HostThreadCheck*>(
            host_->getExtension(host_, clap::kExtThreadCheck));
        hostParams =
            static_cast<const clap::HostParams*>(host_->getExtension(host_, clap::kExtParams));
    }
    checkMainThread();
    if (core == nullptr) {
        core.reset(new (std::nothrow) EffectCore(*this));
    }
    return core != nullptr;
}

// Each activation starts from nothing recorded and nothing queued; the
// gains stay.
bool TarvelClap::activate() {
    checkMainThread();
    if (core == nullptr || active_) {
        return false;
    }
    core->cycles.clear();
    core->midi.clear();
    active_ = true;
    return true;
}

void TarvelClap::deactivate() {
    checkMainThread();
    active_ = false;
    processing_ = false;
}

bool TarvelClap::startProcessing() {
    checkAudioThread();
    if (!active_) {
        return false;
    }
    processing_ = true;
    return true;
}

void TarvelClap::stopProcessing() {
    checkAudioThread();
    processing_ = false;
}

void TarvelClap::reset() {
    checkAudioThread();
    if (active_) {
        core->cycles.clear();
        core->midi.clear();
    }
}

std::int32_t TarvelClap::process(const clap::Process& process) {
    checkAudioThread();
    if (!active_) {
        return clap::kProcessError;
    }
    const std::uint32_t frames = process.framesCount;
    const clap::InputEvents* in = process.inEvents;
    const std::uint32_t count = in != nullptr && in->size != nullptr ? in->size(in) : 0;
    float* left = nullptr;
    float* outLeft = nullptr;
    float* outRight = nullptr;
    if (process.audioInputsCount > 0 && process.audioInputs != nullptr &&
        process.audioInputs[0].channelCount > 0 && process.audioInputs[0].data32 != nullptr) {
        left = process.audioInputs[0].data32[0];
    }
    if (process.audioOutputsCount > 0 && process.audioOutputs != nullptr &&
        process.audioOutputs[0].channelCount > 1 && process.audioOutputs[0].data32 != nullptr) {
        outLeft = process.audioOutputs[0].data32[0];
        outRight = process.audioOutputs[0].data32[1];
    }
    out_ = process.outEvents;
    takeEdits();
    std::uint32_t next = 0;
    if (frames > 0 && (left == nullptr || outLeft == nullptr || outRight == nullptr)) {
        // No sound to make: the parameters still follow the host.
        segmentStart = 0;
        takeEvents(in, next, count, UINT32_MAX, UINT32_MAX, false);
        out_ = nullptr;
        return clap::kProcessError;
    }
    // Stretches between the frames events come at; an event placed past
    // the block acts at its last frame.
    const std::uint32_t last = frames > 0 ? frames - 1 : 0;
    std::uint32_t start = 0;
    while (start < frames) {
        segmentStart = start;
        takeEvents(in, next, count, start + 1, last, true);
        std::uint32_t end = frames;
        if (next < count) {
            const clap::EventHeader* event = in->get(in, next);
            const std::uint32_t at =
                event == nullptr ? frames : (event->time < last ? event->time : last);
            if (at > start) {
                end = at;
            }
        }
        core->processBlock<false>(left + start, outLeft + start, outRight + start,
                                  static_cast<int32>(end - start));
        start = end;
    }
    // A block of no frames still carries its parameter changes; MIDI with no
    // frame to go out at is dropped, not kept for a later block.
    segmentStart = 0;
    takeEvents(in, next, count, UINT32_MAX, UINT32_MAX, false);
    out_ = nullptr;
    return clap::kProcessContinue;
}

void TarvelClap::flush(const clap::InputEvents* in, const clap::OutputEvents* out) {
    const std::uint32_t count = in != nullptr && in->size != nullptr ? in->size(in) : 0;
    out_ = out;
    segmentStart = 0;
    takeEdits();
    std::uint32_t next = 0;
    takeEvents(in, next, count, UINT32_MAX, UINT32_MAX, false);
    out_ = nullptr;
}

// Takes the events from `next` on whose frame (at most `last`) is before
// `end`. An event out of order, earlier than one before it, acts with the
// one before. Without `midi` only parameter values act.
void TarvelClap::takeEvents(const clap::InputEvents* in, std::uint32_t& next, std::uint32_t count,
                            std::uint32_t end, std::uint32_t last, bool midi) {
    while (next < count) {
        const clap::EventHeader* event = in->get(in, next);
        if (event != nullptr && (event->time < last ? event->time : last) >= end) {
            return;
        }
        ++next;
        if (event != nullptr && event->spaceId == clap::kCoreEventSpace &&
            (midi || event->type == clap::kEventParamValue)) {
            takeEvent(*event);
        }
    }
}

void TarvelClap::takeEvent(const clap::EventHeader& event) {
    switch (event.type) {
    case clap::kEventParamValue:
        if (event.size >= sizeof(clap::EventParamValue)) {
            const auto& change = reinterpret_cast<const clap::EventParamValue&>(event);
            setGain(change.paramId, change.value);
        }
        break;
    case clap::kEventMidi:
        if (event.size >= sizeof(clap::EventMidi)) {
            const auto& midi = reinterpret_cast<const clap::EventMidi&>(event);
            core->midi.admit(0, midi.data);
        }
        break;
    case clap::kEventNoteOn:
    case clap::kEventNoteOff:
        if (event.size >= sizeof(clap::EventNote)) {
            const auto& note = reinterpret_cast<const clap::EventNote&>(event);
            const bool on = event.type == clap::kEventNoteOn;
            if (note.channel < 0 || note.channel > 15 || note.key < 0 || note.key > 127) {
                break;
            }
            const std::uint8_t bytes[3] = {
                static_cast<std::uint8_t>((on ? kNoteOn : kNoteOff) | note.channel),
                static_cast<std::uint8_t>(note.key), midiVelocity(note.velocity, on)};
            core->midi.admit(0, bytes);
        }
        break;
    default:
        break;
    }
}

// A value outside 0 to 1 is brought to the nearer end; one that is not a
// number is ignored.
void TarvelClap::setGain(clap::Id id, double value) {
    if (!isParam(id) || std::isnan(value)) {
        return;
    }
    const double gain = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    core->cycles.setGain(static_cast<int32>(id), static_cast<float>(gain));
    changed.store(true, std::memory_order_release);
}

void TarvelClap::editBegin(clap::Id id) {
    queueEdit(clap::kEventParamGestureBegin, id, 0.0);
}

void TarvelClap::editValue(clap::Id id, double value) {
    if (!isParam(id) || core == nullptr || std::isnan(value)) {
        return;
    }
    const double gain = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    core->cycles.setGain(static_cast<int32>(id), static_cast<float>(gain));
    queueEdit(clap::kEventParamValue, id, gain);
}

void TarvelClap::editEnd(clap::Id id) {
    queueEdit(clap::kEventParamGestureEnd, id, 0.0);
}

// A full queue drops the edit: the value is the effect's already, and the
// host hears the next one.
void TarvelClap::queueEdit(std::uint16_t type, clap::Id id, double value) {
    checkMainThread();
    if (!isParam(id)) {
        return;
    }
    const std::uint32_t written = editsWritten.load(std::memory_order_relaxed);
    if (written - editsRead.load(std::memory_order_acquire) < kEditCapacity) {
        edits[written % kEditCapacity] = {type, id, value};
        editsWritten.store(written + 1, std::memory_order_release);
    }
    if (hostParams != nullptr && hostParams->requestFlush != nullptr) {
        hostParams->requestFlush(host_);
    }
}

// The edits go out first, at the first frame, as the effect already has
// their values.
void TarvelClap::takeEdits() {
    const std::uint32_t written = editsWritten.load(std::memory_order_acquire);
    std::uint32_t read = editsRead.load(std::memory_order_relaxed);
    for (; read != written; ++read) {
        const Edit& edit = edits[read % kEditCapacity];
        if (edit.type == clap::kEventParamValue) {
            core->cycles.setGain(static_cast<int32>(edit.id), static_cast<float>(edit.value));
            pushParamValue(edit.id, edit.value, 0);
        } else {
            pushGesture(edit.type, edit.id);
        }
    }
    editsRead.store(read, std::memory_order_release);
}

void TarvelClap::pushGesture(std::uint16_t type, clap::Id id) {
    if (out_ == nullptr || out_->tryPush == nullptr) {
        return;
    }
    clap::EventParamGesture event{};
    event.header = {sizeof event, 0, clap::kCoreEventSpace, type, 0};
    event.paramId = id;
    out_->tryPush(out_, &event.header);
}

bool TarvelClap::value(clap::Id id, double& result) const {
    if (!isParam(id) || core == nullptr) {
        return false;
    }
    result = static_cast<double>(core->cycles.gain(static_cast<int32>(id)));
    return true;
}

void TarvelClap::pushParamValue(clap::Id id, double value, std::uint32_t time) {
    if (out_ == nullptr || out_->tryPush == nullptr) {
        return;
    }
    clap::EventParamValue event{};
    event.header = {sizeof event, time, clap::kCoreEventSpace, clap::kEventParamValue, 0};
    event.paramId = id;
    event.cookie = nullptr;
    event.noteId = -1;
    event.portIndex = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    out_->tryPush(out_, &event.header);
}

void TarvelClap::controllerGain(float value, int32 delta) {
    core->cycles.setGain(CycleMachine::kNcvolume, value);
    changed.store(true, std::memory_order_release);
    pushParamValue(kNcvolumeId, static_cast<double>(value),
                   segmentStart + static_cast<std::uint32_t>(delta));
}

// The one program holds the values the gains have: selecting it sets them
// again, and the host is told them.
void TarvelClap::programChange(int32 /*program*/, int32 delta) {
    const std::uint32_t time = segmentStart + static_cast<std::uint32_t>(delta);
    pushParamValue(kNcvolumeId, static_cast<double>(core->cycles.gain(CycleMachine::kNcvolume)),
                   time);
    pushParamValue(kIpvolumeId, static_cast<double>(core->cycles.gain(CycleMachine::kIpvolume)),
                   time);
}

void TarvelClap::relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) {
    if (out_ == nullptr || out_->tryPush == nullptr) {
        return;
    }
    clap::EventMidi event{};
    event.header = {sizeof event, segmentStart + static_cast<std::uint32_t>(delta),
                    clap::kCoreEventSpace, clap::kEventMidi, 0};
    event.portIndex = 0;
    event.data[0] = status;
    event.data[1] = data1;
    event.data[2] = data2;
    out_->tryPush(out_, &event.header);
}

bool TarvelClap::save(const clap::OStream& stream) const {
    checkMainThread();
    if (core == nullptr) {
        return false;
    }
    const SavedState state{core->cycles.gain(CycleMachine::kNcvolume),
                           core->cycles.gain(CycleMachine::kIpvolume)};
    return writeState(stream, state);
}

bool TarvelClap::load(const clap::IStream& stream) {
    checkMainThread();
    SavedState state{};
    if (core == nullptr || !readState(stream, state)) {
        return false;
    }
    core->cycles.setGain(CycleMachine::kNcvolume, state.ncvolume);
    core->cycles.setGain(CycleMachine::kIpvolume, state.ipvolume);
    changed.store(true, std::memory_order_release);
    return true;
}

// The format's thread rules, checked in debug builds where the host can
// tell its threads apart.
void TarvelClap::checkMainThread() const {
    assert(threadCheck == nullptr || threadCheck->isMainThread == nullptr ||
           threadCheck->isMainThread(host_));
}

void TarvelClap::checkAudioThread() const {
    assert(threadCheck == nullptr || threadCheck->isAudioThread == nullptr ||
           threadCheck->isAudioThread(host_));
}

} // namespace tarvel_clap
