// An LV2 bundle (a tarvel.lv2 folder) loaded in-process through lilv, driven
// as an LV2 host drives it: ports connected to the render's buffers, MIDI in
// an atom sequence, and the relayed MIDI read back from the output sequence.
// The VST 2.x opcodes the render sends become the matching LV2 steps.
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/urid/urid.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <utility>

#include "harness/urid_map.h"
#include "host/vst_opcodes.h"
#include "plugin_connection.h"

namespace {

// Room for a block's MIDI in either direction, in 8-byte words.
constexpr std::size_t kSequenceWords = 8192;

class Lv2Connection final : public PluginConnection {
public:
    explicit Lv2Connection(std::string bundlePath) : bundlePath_(std::move(bundlePath)) {}
    ~Lv2Connection() override {
        close();
        if (world != nullptr) {
            lilv_world_free(world);
        }
    }

    bool load() override {
        char resolved[PATH_MAX];
        if (realpath(bundlePath_.c_str(), resolved) == nullptr) {
            return fail("cannot find " + bundlePath_);
        }
        world = lilv_world_new();
        // A bundle's URI is its folder's, with the closing slash.
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, (std::string(resolved) + "/").c_str());
        lilv_world_load_bundle(world, bundle);
        const LilvPlugins* plugins = lilv_world_get_all_plugins(world);
        LILV_FOREACH(plugins, i, plugins) {
            const LilvPlugin* candidate = lilv_plugins_get(plugins, i);
            if (lilv_node_equals(lilv_plugin_get_bundle_uri(candidate), bundle)) {
                plugin = candidate;
                break;
            }
        }
        lilv_node_free(bundle);
        if (plugin == nullptr) {
            return fail("no LV2 plug-in in " + bundlePath_);
        }
        for (const char* symbol : {"in_left", "in_right", "out_left", "out_right", "ncvolume",
                                   "ipvolume", "midi_in", "midi_out"}) {
            LilvNode* name = lilv_new_string(world, symbol);
            const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, name);
            lilv_node_free(name);
            if (port == nullptr) {
                return fail(bundlePath_ + " has no port '" + symbol + "'");
            }
            ports.push_back(lilv_port_get_index(plugin, port));
        }
        sequenceType = urids.map(LV2_ATOM__Sequence);
        midiType = urids.map(LV2_MIDI__MidiEvent);
        return true;
    }

    VstWord dispatch(int32 opcode, int32 /*index*/, VstWord value, float opt) override {
        if (opcode == effSetSampleRate) {
            sampleRate = opt;
        } else if (opcode == effMainsChanged && value != 0) {
            start();
        } else if (opcode == effMainsChanged && active) {
            lilv_instance_deactivate(instance);
            active = false;
        }
        return 0;
    }

    std::string dispatchText(int32 opcode, int32 /*index*/) override {
        if (plugin == nullptr) {
            return "";
        }
        LilvNode* text = nullptr;
        if (opcode == effGetEffectName) {
            text = lilv_plugin_get_name(plugin);
        } else if (opcode == effGetVendorString) {
            text = lilv_plugin_get_author_name(plugin);
        }
        std::string result = text != nullptr ? lilv_node_as_string(text) : "";
        lilv_node_free(text);
        return result;
    }

    void setParameter(int32 index, float value) override {
        if (index == 0 || index == 1) {
            controls[index] = value;
        }
    }

    void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                      StereoBuffer& output, ProcessMode mode) override {
        if (failed() || (!active && !start())) {
            return;
        }
        writeMidiIn(midi);
        midiOut[0] = 0;
        reinterpret_cast<LV2_Atom*>(midiOut.data())->size =
            static_cast<std::uint32_t>(midiOut.size() * sizeof(std::uint64_t));
        // An LV2 plug-in always replaces its outputs; adding to them is the
        // host's part.
        StereoBuffer& target = mode == ProcessMode::replacing ? output : scratch;
        scratch.resize(output.frames());
        connect(0, input.left());
        connect(1, input.right());
        connect(2, target.left());
        connect(3, target.right());
        lilv_instance_run(instance, static_cast<std::uint32_t>(input.frames()));
        if (mode == ProcessMode::accumulating) {
            for (int32 i = 0; i < output.frames(); ++i) {
                output.left()[i] += scratch.left()[i];
                output.right()[i] += scratch.right()[i];
            }
        }
        readMidiOut();
    }

    void close() override {
        if (instance == nullptr) {
            return;
        }
        if (active) {
            lilv_instance_deactivate(instance);
            active = false;
        }
        lilv_instance_free(instance);
        instance = nullptr;
    }

    std::vector<HostCall> takeCalls() override { return std::exchange(calls, {}); }
    std::string description() const override { return "the LV2 bundle " + bundlePath_; }
    bool failed() const override { return !error_.empty(); }
    std::string error() const override { return error_; }

private:
    bool fail(const std::string& message) {
        error_ = message;
        return false;
    }

    void connect(std::size_t port, void* data) {
        lilv_instance_connect_port(instance, ports[port], data);
    }

    bool start() {
        if (plugin == nullptr) {
            return false;
        }
        if (instance == nullptr) {
            const LV2_Feature* features[] = {urids.feature(), nullptr};
            instance = lilv_plugin_instantiate(plugin, sampleRate, features);
            if (instance == nullptr) {
                return fail("the LV2 plug-in refused to instantiate");
            }
            connect(4, &controls[0]);
            connect(5, &controls[1]);
            connect(6, midiIn.data());
            connect(7, midiOut.data());
        }
        if (!active) {
            lilv_instance_activate(instance);
            active = true;
        }
        return true;
    }

    void writeMidiIn(const std::vector<MidiMessage>& midi) {
        auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(midiIn.data());
        sequence->atom.type = sequenceType;
        sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
        sequence->body.unit = 0;
        sequence->body.pad = 0;
        const std::size_t room = midiIn.size() * sizeof(std::uint64_t) - sizeof(LV2_Atom);
        for (const MidiMessage& message : midi) {
            const std::uint8_t bytes[3] = {message.status, message.data1, message.data2};
            const std::uint32_t size =
                (message.status & 0xF0) == 0xC0 || (message.status & 0xF0) == 0xD0 ? 2 : 3;
            const std::uint32_t needed = lv2_atom_pad_size(sizeof(LV2_Atom_Event) + size);
            if (sequence->atom.size + needed > room) {
                break;
            }
            auto* event = reinterpret_cast<LV2_Atom_Event*>(
                reinterpret_cast<std::uint8_t*>(&sequence->body) + sequence->atom.size);
            event->time.frames = message.frame;
            event->body.type = midiType;
            event->body.size = size;
            std::memcpy(LV2_ATOM_BODY(&event->body), bytes, size);
            sequence->atom.size += needed;
        }
    }

    // Each relayed event is recorded as the VST 2.x host would have seen it:
    // one audioMasterProcessEvents call with one MIDI event at its frame.
    void readMidiOut() {
        const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(midiOut.data());
        if (sequence->atom.type != sequenceType) {
            return;
        }
        LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
            if (event->body.type != midiType || event->body.size > 4) {
                continue;
            }
            VstMidiEvent midi{};
            midi.type = kVstMidiType;
            midi.byteSize = static_cast<int32>(sizeof(VstMidiEvent));
            midi.deltaFrames = static_cast<int32>(event->time.frames);
            std::memcpy(midi.midiData, LV2_ATOM_BODY_CONST(&event->body), event->body.size);
            HostCall call;
            call.opcode = audioMasterProcessEvents;
            call.hadPointer = true;
            VstEvent copy;
            std::memcpy(&copy, &midi, sizeof copy);
            call.events.push_back(copy);
            calls.push_back(std::move(call));
        }
    }

    std::string bundlePath_;
    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
    LilvInstance* instance = nullptr;
    bool active = false;
    std::vector<std::uint32_t> ports;
    UridMap urids;
    LV2_URID sequenceType = 0;
    LV2_URID midiType = 0;
    double sampleRate = 44100.0;
    float controls[2] = {1.0f, 1.0f};
    std::vector<std::uint64_t> midiIn = std::vector<std::uint64_t>(kSequenceWords);
    std::vector<std::uint64_t> midiOut = std::vector<std::uint64_t>(kSequenceWords);
    StereoBuffer scratch;
    std::vector<HostCall> calls;
    std::string error_;
};

} // namespace

bool isLv2Bundle(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::unique_ptr<PluginConnection> connectLv2Bundle(const std::string& bundlePath) {
    return std::make_unique<Lv2Connection>(bundlePath);
}
