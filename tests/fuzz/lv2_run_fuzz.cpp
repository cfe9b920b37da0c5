// Drives the LV2 plug-in through its descriptor as a careless host would:
// instantiation at hostile sample rates with or without the URID map, then
// blocks of 0 to 4096 frames (some processed in place) with hostile
// samples, control port values of every kind, MIDI ports connected and
// disconnected, atom sequences of MIDI and other events at any frame and of
// any length, output sequences of any capacity, and deactivations.
//
// Checked throughout: refusals exactly for rates that are no rate and maps
// without a map; both outputs carry the same samples; the output sequence
// is a sequence of MIDI channel messages of their own length, in frame
// order inside the block, no more than were sent, and nothing is written
// past the capacity the host gave; "ipvolume" is the port's value brought
// into 0..1, "ncvolume" that or what controller 1 set; and while every
// input has been ordinary since activation the output stays bounded.
#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "fuzz_signal.h"
#include "fuzz_support.h"
#include "harness/urid_map.h"
#include "lv2_ports.h"
#include "tarvel_lv2.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

constexpr int32 kMaxBlock = 4096;
constexpr std::size_t kSequenceBytes = 1 << 15;
constexpr std::uint8_t kGuard = 0xA5;

float gainOf(float port) {
    return port < 0.0f ? 0.0f : (port > 1.0f ? 1.0f : port);
}

class Lv2Session {
public:
    // False when the plug-in (rightly) refused the instance.
    bool start(FuzzedDataProvider& data) {
        descriptor = lv2_descriptor(0);
        FUZZ_CHECK(descriptor != nullptr && lv2_descriptor(1) == nullptr);
        sequenceType = urids.map(LV2_ATOM__Sequence);
        midiType = urids.map(LV2_MIDI__MidiEvent);
        otherType = urids.map(LV2_ATOM__Float);

        const int featureSet = data.ConsumeIntegralInRange(0, 3);
        const bool brokenMap = featureSet == 3;
        mapGiven = featureSet == 1 || featureSet == 2;
        mapFeature = {LV2_URID__map, brokenMap ? nullptr : urids.lv2Map()};
        std::vector<const LV2_Feature*> features;
        if (mapGiven || brokenMap) {
            features.push_back(&mapFeature);
        }
        features.push_back(nullptr);
        const double rate = data.ConsumeBool() ? 48000.0 : static_cast<double>(hostileFloat(data));
        const bool servable = std::isfinite(rate) && rate > 0.0;

        handle = descriptor->instantiate(descriptor, rate, "/nowhere/", features.data());
        FUZZ_CHECK((handle != nullptr) == (servable && !brokenMap));
        if (handle == nullptr) {
            return false;
        }
        descriptor->connect_port(handle, tarvel_lv2::kNcvolume, &ncvolumePort);
        descriptor->connect_port(handle, tarvel_lv2::kIpvolume, &ipvolumePort);
        activate();
        return true;
    }

    ~Lv2Session() {
        if (handle != nullptr) {
            if (active) {
                descriptor->deactivate(handle);
            }
            descriptor->cleanup(handle);
        }
    }

    void run(FuzzedDataProvider& data) {
        if (!active) {
            activate();
        }
        const int32 frames = data.ConsumeIntegralInRange(0, 15) == 0
                                 ? data.ConsumeIntegralInRange(0, 3)
                                 : data.ConsumeIntegralInRange(1, kMaxBlock);
        const auto size = static_cast<std::size_t>(frames > 0 ? frames : 1);
        std::vector<float> left(size), right(size), outLeft(size, -7.0f), outRight(size, -7.0f);
        const bool ordinaryInput = signal.make(data, left, frames);
        for (float& x : right) {
            x = hostileFloat(data);
        }
        const bool inPlace = data.ConsumeIntegralInRange(0, 7) == 0;
        descriptor->connect_port(handle, tarvel_lv2::kInLeft, left.data());
        descriptor->connect_port(handle, tarvel_lv2::kInRight, right.data());
        descriptor->connect_port(handle, tarvel_lv2::kOutLeft,
                                 inPlace ? left.data() : outLeft.data());
        descriptor->connect_port(handle, tarvel_lv2::kOutRight, outRight.data());

        const int sent = writeMidiIn(data, frames);
        const std::uint32_t capacity = offerMidiOut(data);
        descriptor->run(handle, static_cast<std::uint32_t>(frames));

        const float* resultLeft = inPlace ? left.data() : outLeft.data();
        if (frames > 0) {
            FUZZ_CHECK(std::memcmp(resultLeft, outRight.data(), size * sizeof(float)) == 0);
        } else {
            // A block of no frames writes no sample.
            FUZZ_CHECK(sameBits(outLeft[0], -7.0f) && sameBits(outRight[0], -7.0f));
        }
        checkMidiOut(capacity, frames, sent);
        followPorts();
        checkParameters(sent > 0);
        ordinary = ordinary && ordinaryInput;
        if (ordinary && frames > 0) {
            FUZZ_CHECK(std::all_of(resultLeft, resultLeft + frames,
                                   [](float y) { return std::fabs(y) <= 2.0f; }));
        }
    }

    void setControl(FuzzedDataProvider& data) {
        float& port = data.ConsumeBool() ? ncvolumePort : ipvolumePort;
        port = data.ConsumeBool() ? data.ConsumeProbability<float>() : hostileFloat(data);
    }

    void connectMidi(FuzzedDataProvider& data) {
        midiInConnected = data.ConsumeBool();
        midiOutConnected = data.ConsumeBool();
        descriptor->connect_port(handle, tarvel_lv2::kMidiIn,
                                 midiInConnected ? midiIn.data() : nullptr);
        descriptor->connect_port(handle, tarvel_lv2::kMidiOut,
                                 midiOutConnected ? midiOut.data() : nullptr);
    }

    void deactivate() {
        if (active) {
            descriptor->deactivate(handle);
            active = false;
        }
    }

private:
    void activate() {
        descriptor->activate(handle);
        active = true;
        // A new effect: parameters at 1 until the ports' values arrive.
        expected = {1.0f, 1.0f};
        firstRun = true;
        ordinary = true;
    }

    // An input sequence of MIDI and other events; returns the MIDI events in it.
    int writeMidiIn(FuzzedDataProvider& data, int32 frames) {
        auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(midiIn.data());
        sequence->atom.type = sequenceType;
        sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
        sequence->body.unit = 0;
        sequence->body.pad = 0;
        const int count = data.ConsumeIntegralInRange(0, 300);
        int midi = 0;
        std::int64_t frame = 0;
        for (int i = 0; i < count; ++i) {
            const std::uint32_t size = data.ConsumeIntegralInRange<std::uint32_t>(0, 8);
            const std::uint32_t needed = lv2_atom_pad_size(sizeof(LV2_Atom_Event) + size);
            if (sequence->atom.size + needed + sizeof(LV2_Atom) > kSequenceBytes) {
                break;
            }
            switch (data.ConsumeIntegralInRange(0, 7)) {
            case 0:
                frame = data.ConsumeIntegral<std::int64_t>();
                break;
            case 1:
                frame = data.ConsumeIntegralInRange<std::int64_t>(-5, frames + 5);
                break;
            default:
                // On from the frame before, inside the block.
                frame =
                    std::clamp<std::int64_t>(frame, 0, frames) + data.ConsumeIntegralInRange(0, 64);
                frame = std::min<std::int64_t>(frame, std::max(frames - 1, 0));
                break;
            }
            auto* event = reinterpret_cast<LV2_Atom_Event*>(
                reinterpret_cast<std::uint8_t*>(&sequence->body) + sequence->atom.size);
            event->time.frames = frame;
            event->body.type = data.ConsumeIntegralInRange(0, 7) == 0 ? otherType : midiType;
            event->body.size = size;
            auto* bytes = static_cast<std::uint8_t*>(LV2_ATOM_BODY(&event->body));
            for (std::uint32_t b = 0; b < size; ++b) {
                bytes[b] = b == 0 && data.ConsumeBool()
                               ? data.PickValueInArray<std::uint8_t>(
                                     {0xB0, 0xB3, 0xC0, 0x90, 0x80, 0xE0, 0xD0, 0xF8, 0xF0})
                           : b == 1 && data.ConsumeBool() ? 1
                                                          : data.ConsumeIntegral<std::uint8_t>();
            }
            if (event->body.type == midiType) {
                ++midi;
            }
            sequence->atom.size += needed;
        }
        return midiInConnected && mapGiven ? midi : 0;
    }

    std::uint32_t offerMidiOut(FuzzedDataProvider& data) {
        const std::uint32_t capacity =
            data.ConsumeBool() ? data.ConsumeIntegralInRange<std::uint32_t>(0, 200)
                               : data.ConsumeIntegralInRange<std::uint32_t>(0, kSequenceBytes - 64);
        std::fill(midiOut.begin(), midiOut.end(), kGuard);
        auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(midiOut.data());
        sequence->atom.type = 0;
        sequence->atom.size = capacity;
        return capacity;
    }

    void checkMidiOut(std::uint32_t capacity, int32 frames, int sent) {
        const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(midiOut.data());
        if (!midiOutConnected || !mapGiven) {
            // Not the plug-in's to write: left exactly as the host wrote it.
            FUZZ_CHECK(sequence->atom.size == capacity && sequence->atom.type == 0);
            FUZZ_CHECK(std::all_of(midiOut.begin() + sizeof(LV2_Atom), midiOut.end(),
                                   [](std::uint8_t b) { return b == kGuard; }));
            return;
        }
        FUZZ_CHECK(sequence->atom.type == sequenceType);
        // Whole atom within the host's capacity (read as the whole buffer).
        const std::size_t used = sizeof(LV2_Atom) + sequence->atom.size;
        FUZZ_CHECK(sequence->atom.size == 0 || used <= capacity);
        const std::size_t written = std::max<std::size_t>(used, sizeof(LV2_Atom));
        FUZZ_CHECK(std::all_of(midiOut.begin() + static_cast<long>(written), midiOut.end(),
                               [](std::uint8_t b) { return b == kGuard; }));
        if (sequence->atom.size == 0) {
            return;
        }
        int relayed = 0;
        std::int64_t last = 0;
        LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
            FUZZ_CHECK(event->body.type == midiType);
            FUZZ_CHECK(event->time.frames >= last && event->time.frames < frames);
            last = event->time.frames;
            const auto* bytes = static_cast<const std::uint8_t*>(LV2_ATOM_BODY_CONST(&event->body));
            FUZZ_CHECK(bytes[0] >= 0x80 && bytes[0] < 0xF0);
            FUZZ_CHECK(event->body.size == tarvel_lv2::midiMessageSize(bytes[0]));
            for (std::uint32_t b = 1; b < event->body.size; ++b) {
                FUZZ_CHECK(bytes[b] < 0x80);
            }
            ++relayed;
        }
        FUZZ_CHECK(relayed <= sent);
    }

    // A port's value reaches the effect when it differs from the one before
    // (and always in the first block after activation), brought into 0..1;
    // not-a-number never does.
    void followPorts() {
        const float ports[2] = {ncvolumePort, ipvolumePort};
        for (std::size_t i = 0; i < 2; ++i) {
            const bool changed = firstRun || !sameBits(ports[i], lastPort[i]);
            if (changed && !std::isnan(ports[i])) {
                expected[i] = gainOf(ports[i]);
            }
            lastPort[i] = ports[i];
        }
        firstRun = false;
    }

    // Reads the parameters through the instance: the descriptor's handle is it.
    void checkParameters(bool midiSent) {
        const auto& instance = *static_cast<tarvel_lv2::TarvelLv2*>(handle);
        FUZZ_CHECK(sameBits(instance.gain(1), expected[1]));
        const float ncvolume = instance.gain(0);
        if (!sameBits(ncvolume, expected[0])) {
            FUZZ_CHECK(midiSent && controllerValue(ncvolume));
            expected[0] = ncvolume;
        }
    }

    const LV2_Descriptor* descriptor = nullptr;
    LV2_Handle handle = nullptr;
    UridMap urids;
    LV2_Feature mapFeature{};
    LV2_URID sequenceType = 0;
    LV2_URID midiType = 0;
    LV2_URID otherType = 0;
    bool mapGiven = false;
    bool active = false;
    bool firstRun = true;
    bool midiInConnected = false;
    bool midiOutConnected = false;
    float ncvolumePort = 1.0f;
    float ipvolumePort = 1.0f;
    std::array<float, 2> lastPort{};
    std::array<float, 2> expected{1.0f, 1.0f};
    bool ordinary = true;
    SignalMaker signal;
    std::vector<std::uint8_t> midiIn = std::vector<std::uint8_t>(kSequenceBytes);
    std::vector<std::uint8_t> midiOut = std::vector<std::uint8_t>(kSequenceBytes);
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    Lv2Session session;
    if (!session.start(data)) {
        return 0;
    }
    for (int step = 0; step < 48 && data.remaining_bytes() > 0; ++step) {
        switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
            session.setControl(data);
            break;
        case 1:
            session.connectMidi(data);
            break;
        case 2:
            session.deactivate();
            break;
        default:
            session.run(data);
            break;
        }
    }
    return 0;
}
