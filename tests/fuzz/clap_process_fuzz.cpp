// Drives the CLAP plug-in through clap_entry as a careless host would:
// activations and deactivations in any order, blocks of 0 to 4096 frames
// (some in place, some without buffers) with hostile samples, event lists
// of parameter values of every kind, MIDI of any bytes and CLAP notes at
// any frame, in order or not, flushes, resets, and state loads of any bytes.
//
// Checked throughout: both outputs carry the same samples; every event the
// plug-in sends is a parameter value (0 to 1, of a known id) or a MIDI
// channel message, at a frame inside the block and in frame order, and no
// more MIDI than was sent; a parameter is always 0 to 1; a state the plug-in
// saved loads back to the same values, and a load it refuses changes none.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "clap_abi.h"
#include "fuzz_signal.h"
#include "fuzz_support.h"

extern "C" const clap::PluginEntry clap_entry;

namespace {

constexpr std::uint32_t kMaxBlock = 4096;

union EventRecord {
    clap::EventHeader header;
    clap::EventParamValue param;
    clap::EventMidi midi;
    clap::EventNote note;
};

struct Sent {
    std::vector<EventRecord> events;
};

struct Received {
    std::vector<clap::EventHeader> headers;
    std::vector<EventRecord> records;
};

std::uint32_t CLAPCALL listSize(const clap::InputEvents* list) {
    return static_cast<std::uint32_t>(static_cast<Sent*>(list->ctx)->events.size());
}

const clap::EventHeader* CLAPCALL listGet(const clap::InputEvents* list, std::uint32_t index) {
    auto& events = static_cast<Sent*>(list->ctx)->events;
    return index < events.size() ? &events[index].header : nullptr;
}

bool CLAPCALL listPush(const clap::OutputEvents* list, const clap::EventHeader* event) {
    auto* received = static_cast<Received*>(list->ctx);
    FUZZ_CHECK(event != nullptr && event->size <= sizeof(EventRecord));
    EventRecord record{};
    std::memcpy(&record, event, event->size);
    received->records.push_back(record);
    return true;
}

struct Bytes {
    std::vector<std::uint8_t> data;
    std::size_t position = 0;
    std::size_t step = 1;
};

std::int64_t CLAPCALL readBytes(const clap::IStream* stream, void* buffer, std::uint64_t size) {
    auto* bytes = static_cast<Bytes*>(stream->ctx);
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::uint64_t>({size, bytes->step, bytes->data.size() - bytes->position}));
    if (n > 0) {
        std::memcpy(buffer, bytes->data.data() + bytes->position, n);
    }
    bytes->position += n;
    return static_cast<std::int64_t>(n);
}

std::int64_t CLAPCALL writeBytes(const clap::OStream* stream, const void* buffer,
                                 std::uint64_t size) {
    auto* bytes = static_cast<Bytes*>(stream->ctx);
    const auto* from = static_cast<const std::uint8_t*>(buffer);
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes->step));
    bytes->data.insert(bytes->data.end(), from, from + n);
    return static_cast<std::int64_t>(n);
}

const void* CLAPCALL noExtension(const clap::Host*, const char*) {
    return nullptr;
}

void CLAPCALL nothing(const clap::Host*) {}

EventRecord hostileEvent(FuzzedDataProvider& data, std::uint32_t frames) {
    EventRecord record{};
    record.header.time =
        data.ConsumeBool()
            ? data.ConsumeIntegral<std::uint32_t>()
            : data.ConsumeIntegralInRange<std::uint32_t>(0, frames > 0 ? frames - 1 : 0);
    record.header.spaceId = data.ConsumeBool() ? clap::kCoreEventSpace : 7;
    switch (data.ConsumeIntegralInRange(0, 4)) {
    case 0:
        record.header.type = clap::kEventParamValue;
        record.header.size = sizeof(clap::EventParamValue);
        record.param.paramId = data.ConsumeIntegralInRange<clap::Id>(0, 3);
        record.param.value = static_cast<double>(hostileFloat(data));
        break;
    case 1:
    case 2:
        record.header.type = clap::kEventMidi;
        record.header.size = sizeof(clap::EventMidi);
        for (std::uint8_t& byte : record.midi.data) {
            byte = data.ConsumeIntegral<std::uint8_t>();
        }
        break;
    case 3:
        record.header.type = data.ConsumeBool() ? clap::kEventNoteOn : clap::kEventNoteOff;
        record.header.size = sizeof(clap::EventNote);
        record.note.channel = data.ConsumeIntegralInRange<std::int16_t>(-2, 17);
        record.note.key = data.ConsumeIntegralInRange<std::int16_t>(-2, 130);
        record.note.velocity = static_cast<double>(hostileFloat(data));
        break;
    default:
        record.header.type = data.ConsumeIntegral<std::uint16_t>();
        record.header.size = data.ConsumeIntegralInRange<std::uint32_t>(0, sizeof record);
        break;
    }
    if (data.ConsumeIntegralInRange(0, 15) == 0) {
        record.header.size = data.ConsumeIntegralInRange<std::uint32_t>(0, sizeof record);
    }
    return record;
}

class ClapSession {
public:
    explicit ClapSession(FuzzedDataProvider& input) : data(input) {
        host.clapVersion = clap::kVersion;
        host.name = host.vendor = host.url = host.version = "fuzz";
        host.getExtension = noExtension;
        host.requestRestart = host.requestProcess = host.requestCallback = nothing;
        factory =
            static_cast<const clap::PluginFactory*>(clap_entry.getFactory(clap::kPluginFactoryId));
        FUZZ_CHECK(factory != nullptr);
        plugin = factory->createPlugin(factory, &host, "example.ostrand.tarvel");
        FUZZ_CHECK(plugin != nullptr && plugin->init(plugin));
        params =
            static_cast<const clap::PluginParams*>(plugin->getExtension(plugin, clap::kExtParams));
        state =
            static_cast<const clap::PluginState*>(plugin->getExtension(plugin, clap::kExtState));
        FUZZ_CHECK(params != nullptr && state != nullptr);
    }
    ~ClapSession() { plugin->destroy(plugin); }

    void step() {
        switch (data.ConsumeIntegralInRange(0, 9)) {
        case 0:
            plugin->activate(plugin, 48000.0, 1, kMaxBlock);
            break;
        case 1:
            plugin->deactivate(plugin);
            break;
        case 2:
            plugin->startProcessing(plugin);
            break;
        case 3:
            plugin->reset(plugin);
            break;
        case 4:
            flush();
            break;
        case 5:
            loadState();
            break;
        default:
            process();
            break;
        }
        checkParameters();
    }

private:
    std::vector<EventRecord> events(std::uint32_t frames, std::uint32_t& midiSent) {
        std::vector<EventRecord> list;
        const int count = data.ConsumeIntegralInRange(0, 300);
        for (int i = 0; i < count && data.remaining_bytes() > 0; ++i) {
            list.push_back(hostileEvent(data, frames));
        }
        if (data.ConsumeBool()) {
            std::stable_sort(list.begin(), list.end(),
                             [](const EventRecord& a, const EventRecord& b) {
                                 return a.header.time < b.header.time;
                             });
        }
        midiSent = static_cast<std::uint32_t>(list.size());
        return list;
    }

    void checkSent(const Received& received, std::uint32_t frames, std::uint32_t midiSent) {
        std::uint32_t midi = 0;
        std::uint32_t last = 0;
        for (const EventRecord& record : received.records) {
            FUZZ_CHECK(record.header.time >= last);
            last = record.header.time;
            FUZZ_CHECK(frames == 0 || record.header.time < frames);
            if (record.header.type == clap::kEventMidi) {
                ++midi;
                const std::uint8_t status = record.midi.data[0];
                FUZZ_CHECK(status >= 0x80 && status < 0xF0);
                FUZZ_CHECK(record.midi.data[1] < 0x80 && record.midi.data[2] < 0x80);
            } else {
                FUZZ_CHECK(record.header.type == clap::kEventParamValue);
                FUZZ_CHECK(record.param.paramId < 2);
                FUZZ_CHECK(record.param.value >= 0.0 && record.param.value <= 1.0);
            }
        }
        FUZZ_CHECK(midi <= midiSent);
    }

    void process() {
        const std::uint32_t frames = data.ConsumeIntegralInRange<std::uint32_t>(0, kMaxBlock);
        std::uint32_t midiSent = 0;
        Sent sent{events(frames, midiSent)};
        Received received;
        clap::InputEvents in{&sent, listSize, listGet};
        clap::OutputEvents out{&received, listPush};
        std::vector<float> input(frames);
        signal.make(data, input, static_cast<int32>(frames));
        std::vector<float> left(frames, 3.0f);
        std::vector<float> right(frames, 5.0f);
        const bool inPlace = data.ConsumeBool();
        float* inputs[2] = {input.data(), input.data()};
        float* outputs[2] = {inPlace ? input.data() : left.data(), right.data()};
        clap::AudioBuffer inBuffer{inputs, nullptr, 2, 0, 0};
        clap::AudioBuffer outBuffer{outputs, nullptr, 2, 0, 0};
        clap::Process block{};
        block.framesCount = frames;
        const bool buffers = data.ConsumeIntegralInRange(0, 9) != 0;
        block.audioInputs = &inBuffer;
        block.audioOutputs = &outBuffer;
        block.audioInputsCount = buffers ? 1 : 0;
        block.audioOutputsCount = 1;
        block.inEvents = &in;
        block.outEvents = &out;
        const std::int32_t status = plugin->process(plugin, &block);
        checkSent(received, frames, midiSent);
        if (status == clap::kProcessContinue && frames > 0) {
            FUZZ_CHECK(std::memcmp(outputs[0], right.data(), frames * sizeof(float)) == 0);
        }
    }

    void flush() {
        std::uint32_t midiSent = 0;
        Sent sent{events(0, midiSent)};
        Received received;
        clap::InputEvents in{&sent, listSize, listGet};
        clap::OutputEvents out{&received, listPush};
        params->flush(plugin, &in, &out);
        FUZZ_CHECK(received.records.empty());
    }

    void loadState() {
        double before[2];
        values(before);
        Bytes bytes;
        bytes.step = data.ConsumeIntegralInRange<std::size_t>(1, 32);
        if (data.ConsumeBool()) {
            clap::OStream out{&bytes, writeBytes};
            FUZZ_CHECK(state->save(plugin, &out));
            clap::IStream in{&bytes, readBytes};
            FUZZ_CHECK(state->load(plugin, &in));
            double after[2];
            values(after);
            FUZZ_CHECK(after[0] == before[0] && after[1] == before[1]);
            return;
        }
        bytes.data = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange(0, 40));
        clap::IStream in{&bytes, readBytes};
        if (!state->load(plugin, &in)) {
            double after[2];
            values(after);
            FUZZ_CHECK(after[0] == before[0] && after[1] == before[1]);
        }
    }

    void values(double* out) {
        for (clap::Id id = 0; id < 2; ++id) {
            FUZZ_CHECK(params->getValue(plugin, id, &out[id]));
        }
    }

    void checkParameters() {
        double current[2];
        values(current);
        for (double value : current) {
            FUZZ_CHECK(value >= 0.0 && value <= 1.0);
        }
    }

    FuzzedDataProvider& data;
    SignalMaker signal;
    clap::Host host{};
    const clap::PluginFactory* factory = nullptr;
    const clap::Plugin* plugin = nullptr;
    const clap::PluginParams* params = nullptr;
    const clap::PluginState* state = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    ClapSession session(data);
    while (data.remaining_bytes() > 0) {
        session.step();
    }
    return 0;
}
