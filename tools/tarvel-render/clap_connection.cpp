// A CLAP plug-in (Tarvel.clap) loaded in-process with dlopen and driven as a
// CLAP host drives it: the render's buffers as the block's audio, parameter
// values and MIDI as the block's input events, and the relayed MIDI read
// back from its output events. The VST 2.x opcodes the render sends become
// the matching CLAP steps.
#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "clap_abi.h"
#include "host/vst_opcodes.h"
#include "plugin_connection.h"

namespace {

constexpr char kPluginId[] = "example.ostrand.tarvel";

// One input event record, of whichever kind.
union EventRecord {
    clap::EventHeader header;
    clap::EventParamValue param;
    clap::EventMidi midi;
};

class ClapConnection final : public PluginConnection {
public:
    explicit ClapConnection(std::string libraryPath) : libraryPath_(std::move(libraryPath)) {
        host.clapVersion = clap::kVersion;
        host.hostData = this;
        host.name = "tarvel-render";
        host.vendor = "Ostrand";
        host.url = "";
        host.version = "1";
        host.getExtension = [](const clap::Host*, const char*) -> const void* { return nullptr; };
        host.requestRestart = host.requestProcess = host.requestCallback = [](const clap::Host*) {};
    }
    ~ClapConnection() override {
        close();
        if (entry_ != nullptr) {
            entry_->deinit();
        }
        if (library != nullptr) {
            dlclose(library);
        }
    }

    bool load() override {
        library = dlopen(libraryPath_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return fail(std::string("cannot load ") + libraryPath_ + ": " + dlerror());
        }
        const auto* entry = static_cast<const clap::PluginEntry*>(dlsym(library, "clap_entry"));
        if (entry == nullptr || !entry->init(libraryPath_.c_str())) {
            return fail(libraryPath_ + " has no clap_entry that starts");
        }
        entry_ = entry;
        const auto* factory =
            static_cast<const clap::PluginFactory*>(entry->getFactory(clap::kPluginFactoryId));
        plugin = factory != nullptr ? factory->createPlugin(factory, &host, kPluginId) : nullptr;
        if (plugin == nullptr || !plugin->init(plugin)) {
            return fail(libraryPath_ + " does not make " + kPluginId);
        }
        return true;
    }

    VstWord dispatch(int32 opcode, int32 /*index*/, VstWord value, float opt) override {
        if (opcode == effSetSampleRate) {
            sampleRate = opt;
        } else if (opcode == effMainsChanged && value != 0) {
            start();
        } else if (opcode == effMainsChanged) {
            stop();
        }
        return 0;
    }

    std::string dispatchText(int32 opcode, int32 /*index*/) override {
        if (plugin == nullptr) {
            return "";
        }
        if (opcode == effGetEffectName) {
            return plugin->desc->name;
        }
        if (opcode == effGetVendorString) {
            return plugin->desc->vendor;
        }
        return "";
    }

    // Reaches the plug-in as a value at the next block's first frame.
    void setParameter(int32 index, float value) override {
        if (index != 0 && index != 1) {
            return;
        }
        EventRecord record{};
        record.param.header = {sizeof(clap::EventParamValue), 0, clap::kCoreEventSpace,
                               clap::kEventParamValue, 0};
        record.param.paramId = static_cast<clap::Id>(index);
        record.param.noteId = -1;
        record.param.portIndex = record.param.channel = record.param.key = -1;
        record.param.value = static_cast<double>(value);
        pending.push_back(record);
    }

    void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                      StereoBuffer& output, ProcessMode mode) override {
        if (failed() || (!processing && !start())) {
            return;
        }
        events_ = std::exchange(pending, {});
        std::vector<MidiMessage> ordered = midi;
        std::stable_sort(
            ordered.begin(), ordered.end(),
            [](const MidiMessage& a, const MidiMessage& b) { return a.frame < b.frame; });
        for (const MidiMessage& message : ordered) {
            EventRecord record{};
            record.midi.header = {sizeof(clap::EventMidi),
                                  static_cast<std::uint32_t>(std::max(message.frame, 0)),
                                  clap::kCoreEventSpace, clap::kEventMidi, 0};
            record.midi.data[0] = message.status;
            record.midi.data[1] = message.data1;
            record.midi.data[2] = message.data2;
            events_.push_back(record);
        }
        // A CLAP plug-in always replaces its outputs; adding to them is the
        // host's part.
        StereoBuffer& target = mode == ProcessMode::replacing ? output : scratch;
        scratch.resize(output.frames());
        float* inputs[2] = {input.left(), input.right()};
        float* outputs[2] = {target.left(), target.right()};
        clap::AudioBuffer in{inputs, nullptr, 2, 0, 0};
        clap::AudioBuffer out{outputs, nullptr, 2, 0, 0};
        clap::InputEvents inEvents{this, eventCount, eventAt};
        clap::OutputEvents outEvents{this, pushEvent};
        clap::Process process{};
        process.steadyTime = -1;
        process.framesCount = static_cast<std::uint32_t>(input.frames());
        process.audioInputs = &in;
        process.audioOutputs = &out;
        process.audioInputsCount = 1;
        process.audioOutputsCount = 1;
        process.inEvents = &inEvents;
        process.outEvents = &outEvents;
        plugin->process(plugin, &process);
        if (mode == ProcessMode::accumulating) {
            for (int32 i = 0; i < output.frames(); ++i) {
                output.left()[i] += scratch.left()[i];
                output.right()[i] += scratch.right()[i];
            }
        }
    }

    void close() override {
        if (plugin == nullptr) {
            return;
        }
        stop();
        plugin->destroy(plugin);
        plugin = nullptr;
    }

    std::vector<HostCall> takeCalls() override { return std::exchange(calls, {}); }
    std::string description() const override { return "the CLAP plug-in " + libraryPath_; }
    bool failed() const override { return !error_.empty(); }
    std::string error() const override { return error_; }

private:
    static std::uint32_t CLAPCALL eventCount(const clap::InputEvents* list) {
        return static_cast<std::uint32_t>(static_cast<ClapConnection*>(list->ctx)->events_.size());
    }

    static const clap::EventHeader* CLAPCALL eventAt(const clap::InputEvents* list,
                                                     std::uint32_t index) {
        auto& events = static_cast<ClapConnection*>(list->ctx)->events_;
        return index < events.size() ? &events[index].header : nullptr;
    }

    // Each relayed event is recorded as the VST 2.x host would have seen it:
    // one audioMasterProcessEvents call with one MIDI event at its frame.
    static bool CLAPCALL pushEvent(const clap::OutputEvents* list, const clap::EventHeader* event) {
        auto* self = static_cast<ClapConnection*>(list->ctx);
        if (event == nullptr || event->type != clap::kEventMidi) {
            return true;
        }
        const auto* midi = reinterpret_cast<const clap::EventMidi*>(event);
        VstMidiEvent record{};
        record.type = kVstMidiType;
        record.byteSize = static_cast<int32>(sizeof(VstMidiEvent));
        record.deltaFrames = static_cast<int32>(event->time);
        std::memcpy(record.midiData, midi->data, 3);
        HostCall call;
        call.opcode = audioMasterProcessEvents;
        call.hadPointer = true;
        VstEvent copy;
        std::memcpy(&copy, &record, sizeof copy);
        call.events.push_back(copy);
        self->calls.push_back(std::move(call));
        return true;
    }

    bool fail(const std::string& message) {
        error_ = message;
        return false;
    }

    bool start() {
        if (plugin == nullptr) {
            return false;
        }
        if (!active) {
            active = plugin->activate(plugin, sampleRate, 1, 1u << 20);
        }
        if (active && !processing) {
            processing = plugin->startProcessing(plugin);
        }
        return processing || fail("the CLAP plug-in did not start processing");
    }

    void stop() {
        if (processing) {
            plugin->stopProcessing(plugin);
            processing = false;
        }
        if (active) {
            plugin->deactivate(plugin);
            active = false;
        }
    }

    std::string libraryPath_;
    void* library = nullptr;
    const clap::PluginEntry* entry_ = nullptr;
    clap::Host host{};
    const clap::Plugin* plugin = nullptr;
    bool active = false;
    bool processing = false;
    double sampleRate = 44100.0;
    std::vector<EventRecord> pending;
    std::vector<EventRecord> events_;
    StereoBuffer scratch;
    std::vector<HostCall> calls;
    std::string error_;
};

} // namespace

bool isClapPlugin(const std::string& path) {
    const std::string suffix = ".clap";
    return path.size() > suffix.size() &&
           path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::unique_ptr<PluginConnection> connectClapPlugin(const std::string& libraryPath) {
    return std::make_unique<ClapConnection>(libraryPath);
}
