// Tarvel.clap driven as a host drives it: its sound and MIDI thru against
// the VST 2.x effect's, its parameters, texts and state, and calls in the
// wrong order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "clap_test_host.h"
#include "effect/tarvel_effect.h"
#include "host/vst_opcodes.h"
#include "tarvel_clap.h"

using clap_test::Event;
using clap_test::Instance;
using clap_test::midiEvent;
using clap_test::OutputList;
using clap_test::paramEvent;

namespace {

constexpr double kPi = 3.14159265358979323846;

clap_test::ClapLibrary& library() {
    static clap_test::ClapLibrary loaded(TARVEL_CLAP_PATH);
    return loaded;
}

// Noise with stretches of sine: busy and quiet cycles alike.
std::vector<float> testSignal(std::size_t frames, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> signal(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const bool sine = (i / 3000) % 2 == 0;
        signal[i] = sine ? static_cast<float>(std::sin(2.0 * kPi * (i + 0.5) / 91.0)) * 0.8f
                         : noise(random);
    }
    return signal;
}

// The VST 2.x effect with a host callback that keeps what it relays.
struct VstReference {
    static VstWord VSTCALL callback(AEffect* effect, int32 opcode, int32, VstWord, void* ptr,
                                    float) {
        if (opcode == audioMasterVersion) {
            return 2400;
        }
        if (opcode == audioMasterProcessEvents && ptr != nullptr && effect != nullptr) {
            auto* self = static_cast<VstReference*>(effect->user);
            const auto* events = static_cast<const VstEvents*>(ptr);
            for (int32 i = 0; i < events->numEvents; ++i) {
                const auto* midi = reinterpret_cast<const VstMidiEvent*>(events->events[i]);
                self->relayed.push_back(
                    midiEvent(self->blockStart + static_cast<std::uint32_t>(midi->deltaFrames),
                              static_cast<std::uint8_t>(midi->midiData[0]),
                              static_cast<std::uint8_t>(midi->midiData[1]),
                              static_cast<std::uint8_t>(midi->midiData[2])));
            }
            return 1;
        }
        return 0;
    }
    VstReference() : effect(&callback) { effect.getAeffect()->user = this; }

    TarvelEffect effect;
    std::vector<Event> relayed;
    std::uint32_t blockStart = 0;
};

// A block's MIDI as the VST 2.x list the reference takes.
void deliver(TarvelEffect& effect, const std::vector<Event>& events, std::uint32_t start) {
    std::vector<VstMidiEvent> records;
    for (const Event& event : events) {
        if (event.type != clap::kEventMidi) {
            continue;
        }
        VstMidiEvent record{};
        record.type = kVstMidiType;
        record.byteSize = sizeof record;
        record.deltaFrames = static_cast<int32>(event.time - start);
        std::memcpy(record.midiData, event.midi, 3);
        records.push_back(record);
    }
    std::vector<unsigned char> list(sizeof(VstEvents) + records.size() * sizeof(VstEvent*));
    auto* head = reinterpret_cast<VstEvents*>(list.data());
    head->numEvents = static_cast<int32>(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        head->events[i] = reinterpret_cast<VstEvent*>(&records[i]);
    }
    effect.processEvents(head);
}

std::vector<Event> onlyMidi(const std::vector<Event>& events) {
    std::vector<Event> midi;
    for (const Event& event : events) {
        if (event.type == clap::kEventMidi) {
            midi.push_back(event);
        }
    }
    return midi;
}

// A block's buffers: `frames` frames of `level` in, the outputs filled with
// `fill`, and the events the block pushes.
struct Block {
    Block(std::uint32_t frames, float level, float fill = 0.0f)
        : in(frames, level), left(frames, fill), right(frames, fill) {}
    std::int32_t run(Instance& instance, std::uint32_t frames, const std::vector<Event>& events) {
        return instance.run(in.data(), left.data(), right.data(), frames, events, out);
    }
    std::vector<float> in;
    std::vector<float> left;
    std::vector<float> right;
    OutputList out;
};

// A parameter's value as the instance reports it; NaN when it reports none.
double valueOf(const Instance& instance, clap::Id id) {
    const auto* params = instance.extension<clap::PluginParams>(clap::kExtParams);
    double value = std::nan("");
    return params->getValue(instance.plugin, id, &value) ? value : std::nan("");
}

class ClapPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(library().entry, nullptr) << library().error;
        ASSERT_NE(library().factory, nullptr);
    }
    clap_test::TestHost host;
};

TEST_F(ClapPlugin, DescribesItselfAsTheStereoEffectTarvelByOstrand) {
    const clap::PluginFactory* factory = library().factory;
    ASSERT_EQ(factory->getPluginCount(factory), 1u);
    const clap::PluginDescriptor* descriptor = factory->getPluginDescriptor(factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->id, "example.ostrand.tarvel");
    EXPECT_STREQ(descriptor->name, "Tarvel");
    EXPECT_STREQ(descriptor->vendor, "Ostrand");
    EXPECT_STREQ(descriptor->version, TARVEL_PROJECT_VERSION);
    std::vector<std::string> features;
    for (const char* const* feature = descriptor->features; *feature != nullptr; ++feature) {
        features.emplace_back(*feature);
    }
    EXPECT_EQ(features, (std::vector<std::string>{"audio-effect", "stereo"}));
    EXPECT_EQ(factory->getPluginDescriptor(factory, 1), nullptr);
    EXPECT_EQ(factory->createPlugin(factory, &host.host, "example.other"), nullptr);
    EXPECT_EQ(library().entry->getFactory("clap.other-factory"), nullptr);
}

TEST_F(ClapPlugin, OffersOneStereoPairAndOneMidiPortEachWay) {
    Instance instance(library(), host);
    ASSERT_NE(instance.plugin, nullptr);
    const auto* audio = instance.extension<clap::PluginAudioPorts>(clap::kExtAudioPorts);
    const auto* notes = instance.extension<clap::PluginNotePorts>(clap::kExtNotePorts);
    ASSERT_NE(audio, nullptr);
    ASSERT_NE(notes, nullptr);
    for (bool input : {true, false}) {
        ASSERT_EQ(audio->count(instance.plugin, input), 1u);
        clap::AudioPortInfo port{};
        ASSERT_TRUE(audio->get(instance.plugin, 0, input, &port));
        EXPECT_EQ(port.channelCount, 2u);
        EXPECT_STREQ(port.portType, clap::kPortStereo);
        EXPECT_EQ(port.flags & clap::kAudioPortIsMain, clap::kAudioPortIsMain);
        EXPECT_EQ(port.inPlacePair, 0u);
        EXPECT_FALSE(audio->get(instance.plugin, 1, input, &port));
        ASSERT_EQ(notes->count(instance.plugin, input), 1u);
        clap::NotePortInfo note{};
        ASSERT_TRUE(notes->get(instance.plugin, 0, input, &note));
        EXPECT_EQ(note.preferredDialect, clap::kNoteDialectMidi);
        EXPECT_NE(note.supportedDialects & clap::kNoteDialectMidi, 0u);
    }
    const auto* latency = instance.extension<clap::PluginFrames>(clap::kExtLatency);
    ASSERT_NE(latency, nullptr);
    EXPECT_EQ(latency->get(instance.plugin), 0u);
    EXPECT_NE(instance.extension<clap::PluginFrames>(clap::kExtTail), nullptr);
    EXPECT_NE(instance.extension<clap::PluginRender>(clap::kExtRender), nullptr);
    EXPECT_EQ(instance.plugin->getExtension(instance.plugin, "clap.unknown"), nullptr);
}

// Random blocks, in place and not, at rates from 1 kHz to 768 kHz, with
// notes, controller 1 and program changes: the same samples and the same
// relayed events at the same frames as the VST 2.x effect in whole blocks.
TEST_F(ClapPlugin, SoundsAndRelaysExactlyAsTheVstEffect) {
    std::mt19937 random(20);
    for (double rate : {1000.0, 44100.0, 768000.0}) {
        for (bool inPlace : {false, true}) {
            const std::vector<float> signal = testSignal(60000, static_cast<unsigned>(rate));
            VstReference reference;
            Instance instance(library(), host);
            ASSERT_TRUE(instance.start(rate));
            std::vector<float> expected(signal.size());
            std::vector<float> actual(signal.size());
            std::vector<Event> relayed;
            std::size_t start = 0;
            while (start < signal.size()) {
                const std::uint32_t frames = static_cast<std::uint32_t>(std::min<std::size_t>(
                    std::uniform_int_distribution<int>(1, 4096)(random), signal.size() - start));
                std::vector<Event> events;
                const int count = std::uniform_int_distribution<int>(0, 6)(random);
                std::vector<std::uint32_t> times;
                for (int i = 0; i < count; ++i) {
                    times.push_back(
                        std::uniform_int_distribution<std::uint32_t>(0, frames - 1)(random));
                }
                std::sort(times.begin(), times.end());
                for (std::uint32_t time : times) {
                    const int kind = std::uniform_int_distribution<int>(0, 3)(random);
                    const auto value = static_cast<std::uint8_t>(random() % 128);
                    if (kind == 0) {
                        events.push_back(midiEvent(time, 0xB0, 1, value));
                    } else if (kind == 1) {
                        events.push_back(midiEvent(time, 0x91, 60, value));
                    } else if (kind == 2) {
                        events.push_back(midiEvent(time, 0xC0, value % 2, 0));
                    } else {
                        events.push_back(midiEvent(time, 0xE2, value, 64));
                    }
                }
                reference.blockStart = static_cast<std::uint32_t>(start);
                deliver(reference.effect, events, 0);
                float* inputs[2] = {const_cast<float*>(signal.data() + start),
                                    const_cast<float*>(signal.data() + start)};
                std::vector<float> right(frames);
                float* outputs[2] = {expected.data() + start, right.data()};
                reference.effect.processReplacing(inputs, outputs, static_cast<int32>(frames));

                std::vector<float> buffer(signal.begin() + static_cast<long>(start),
                                          signal.begin() + static_cast<long>(start + frames));
                std::vector<float> left(frames);
                std::vector<float> clapRight(frames);
                OutputList out;
                const float* in = buffer.data();
                float* outLeft = inPlace ? buffer.data() : left.data();
                ASSERT_EQ(instance.run(in, outLeft, clapRight.data(), frames, events, out),
                          clap::kProcessContinue);
                std::copy(outLeft, outLeft + frames, actual.begin() + static_cast<long>(start));
                ASSERT_EQ(std::vector<float>(outLeft, outLeft + frames), clapRight);
                for (Event event : onlyMidi(out.events)) {
                    event.time += static_cast<std::uint32_t>(start);
                    relayed.push_back(event);
                }
                start += frames;
            }
            EXPECT_EQ(actual, expected) << "at " << rate << " Hz, in place " << inPlace;
            EXPECT_EQ(relayed, reference.relayed) << "at " << rate << " Hz";
            EXPECT_GT(relayed.size(), 50u);
        }
    }
}

// Controller 1 sets ncvolume at its frame: the host hears of it there as a
// parameter value, after which the relayed controller follows; a value the
// host sets is not sent back.
TEST_F(ClapPlugin, Controller1GoesOutAsAParameterValueAtItsFrameAndHostValuesAreNotEchoed) {
    Instance instance(library(), host);
    ASSERT_TRUE(instance.start());
    Block block(256, 0.25f);
    block.run(instance, 256,
              {paramEvent(3, 1, 0.5), midiEvent(40, 0xB2, 1, 127), midiEvent(41, 0x92, 1, 9)});
    const std::vector<Event> expected = {paramEvent(40, 0, 1.0), midiEvent(40, 0xB2, 1, 127),
                                         midiEvent(41, 0x92, 1, 9)};
    EXPECT_EQ(block.out.events, expected);
    EXPECT_EQ(block.left[2], 0.25f);
    EXPECT_EQ(block.left[3], 0.125f) << "ipvolume from its event's frame";
    EXPECT_EQ(valueOf(instance, 1), 0.5);
}

// CLAP notes that arrive anyway are the MIDI they stand for.
TEST_F(ClapPlugin, ClapNotesAreRelayedAsMidiNotes) {
    Instance instance(library(), host);
    ASSERT_TRUE(instance.start());
    Block block(64, 0.0f);
    block.run(instance, 64,
              {clap_test::noteEvent(5, true, 3, 64, 1.0), clap_test::noteEvent(9, true, 3, 65, 0.0),
               clap_test::noteEvent(20, false, 3, 64, 0.5)});
    const std::vector<Event> expected = {midiEvent(5, 0x93, 64, 127), midiEvent(9, 0x93, 65, 1),
                                         midiEvent(20, 0x83, 64, 64)};
    EXPECT_EQ(block.out.events, expected);
}

// A flush between blocks changes the gains as the same events at the next
// block's first frame do.
TEST_F(ClapPlugin, FlushSetsParametersAsProcessDoes) {
    const std::vector<float> signal = testSignal(2048, 3);
    std::vector<float> outputs[2];
    for (int way = 0; way < 2; ++way) {
        Instance instance(library(), host);
        ASSERT_TRUE(instance.start());
        const std::vector<Event> changes = {paramEvent(0, 0, 0.3), paramEvent(0, 1, 0.6)};
        std::vector<float> left(2048);
        std::vector<float> right(2048);
        OutputList out;
        if (way == 0) {
            clap_test::InputList list(changes);
            const auto* params = instance.extension<clap::PluginParams>(clap::kExtParams);
            params->flush(instance.plugin, &list.list, &out.list);
            instance.run(signal.data(), left.data(), right.data(), 2048, {}, out);
        } else {
            instance.run(signal.data(), left.data(), right.data(), 2048, changes, out);
        }
        EXPECT_TRUE(out.events.empty());
        outputs[way] = left;
    }
    EXPECT_EQ(outputs[0], outputs[1]);
}

TEST_F(ClapPlugin, ParametersShowTheVstTextsAndReadThemBack) {
    Instance instance(library(), host);
    const auto* params = instance.extension<clap::PluginParams>(clap::kExtParams);
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(params->count(instance.plugin), 2u);
    const char* names[2] = {"ncvolume", "ipvolume"};
    for (std::uint32_t index = 0; index < 2; ++index) {
        clap::ParamInfo info{};
        ASSERT_TRUE(params->getInfo(instance.plugin, index, &info));
        EXPECT_EQ(info.id, index);
        EXPECT_STREQ(info.name, names[index]);
        EXPECT_EQ(info.minValue, 0.0);
        EXPECT_EQ(info.maxValue, 1.0);
        EXPECT_EQ(info.defaultValue, 1.0);
        EXPECT_NE(info.flags & clap::kParamIsAutomatable, 0u);
        EXPECT_EQ(valueOf(instance, info.id), 1.0);
    }
    clap::ParamInfo info{};
    EXPECT_FALSE(params->getInfo(instance.plugin, 2, &info));

    TarvelEffect effect(nullptr);
    for (float gain : {1.0f, 0.5f, 0.01f, 0.7937f, 0.0f}) {
        effect.setParameter(0, gain);
        char display[32] = {};
        effect.getParameterDisplay(0, display);
        char text[64] = {};
        ASSERT_TRUE(params->valueToText(instance.plugin, 0, gain, text, sizeof text));
        EXPECT_EQ(std::string(text), std::string(display) + " dB");
        double back = -1.0;
        ASSERT_TRUE(params->textToValue(instance.plugin, 0, text, &back)) << text;
        char again[64] = {};
        ASSERT_TRUE(params->valueToText(instance.plugin, 0, back, again, sizeof again));
        EXPECT_STREQ(again, text);
        EXPECT_NEAR(back, gain, 1e-5);
    }
    double value = 0.0;
    EXPECT_FALSE(params->textToValue(instance.plugin, 0, "loud", &value));
    EXPECT_FALSE(params->textToValue(instance.plugin, 0, "", &value));
    EXPECT_FALSE(params->textToValue(instance.plugin, 7, "0 dB", &value));
    char small[4];
    EXPECT_FALSE(params->valueToText(instance.plugin, 0, 0.5, small, sizeof small));
}

// A stream over a byte vector that moves at most `step` bytes per call.
struct Bytes {
    std::vector<std::uint8_t> data;
    std::size_t position = 0;
    std::size_t step = 1 << 20;
    clap::OStream out{this, [](const clap::OStream* s, const void* buffer, std::uint64_t size) {
                          auto* self = static_cast<Bytes*>(s->ctx);
                          const auto n = std::min<std::uint64_t>(size, self->step);
                          const auto* bytes = static_cast<const std::uint8_t*>(buffer);
                          self->data.insert(self->data.end(), bytes, bytes + n);
                          return static_cast<std::int64_t>(n);
                      }};
    clap::IStream in{this, [](const clap::IStream* s, void* buffer, std::uint64_t size) {
                         auto* self = static_cast<Bytes*>(s->ctx);
                         const auto n = std::min<std::uint64_t>(
                             {size, self->step, self->data.size() - self->position});
                         if (n > 0) {
                             std::memcpy(buffer, self->data.data() + self->position, n);
                         }
                         self->position += n;
                         return static_cast<std::int64_t>(n);
                     }};
};

TEST_F(ClapPlugin, StateSavesTheSameBytesLoadsByteByByteAndRefusesBadData) {
    Instance saved(library(), host);
    ASSERT_TRUE(saved.start());
    Block(16, 0.0f).run(saved, 16, {paramEvent(0, 0, 0.25), paramEvent(0, 1, 0.75)});
    const auto* state = saved.extension<clap::PluginState>(clap::kExtState);
    ASSERT_NE(state, nullptr);
    Bytes first;
    Bytes second;
    second.step = 1;
    ASSERT_TRUE(state->save(saved.plugin, &first.out));
    ASSERT_TRUE(state->save(saved.plugin, &second.out));
    EXPECT_EQ(first.data, second.data);

    Instance loaded(library(), host);
    Bytes oneByOne;
    oneByOne.data = first.data;
    oneByOne.step = 1;
    ASSERT_TRUE(state->load(loaded.plugin, &oneByOne.in));
    EXPECT_EQ(valueOf(loaded, 0), 0.25);
    EXPECT_EQ(valueOf(loaded, 1), 0.75);

    std::vector<std::vector<std::uint8_t>> bad = {
        {}, first.data, first.data, first.data, first.data};
    bad[1].pop_back();   // cut short
    bad[2].push_back(0); // something after it
    bad[3][4] = 2;       // a version to come
    bad[4][11] = 0x7F;   // a gain that is not one
    std::mt19937 random(7);
    for (int i = 0; i < 20; ++i) {
        std::vector<std::uint8_t> noise(random() % 40);
        for (auto& byte : noise) {
            byte = static_cast<std::uint8_t>(random());
        }
        bad.push_back(noise);
    }
    for (const auto& data : bad) {
        Bytes stream;
        stream.data = data;
        EXPECT_FALSE(state->load(loaded.plugin, &stream.in)) << data.size() << " bytes";
        EXPECT_EQ(valueOf(loaded, 0), 0.25);
        EXPECT_EQ(valueOf(loaded, 1), 0.75);
    }
}

// MIDI that has no frame to go out at (a block of no frames, a block without
// buffers, a flush) is dropped: it never comes out of a later block at a
// frame it was not sent at. Parameter values in them still act.
TEST_F(ClapPlugin, MidiWithoutFramesIsDroppedAndParametersStillAct) {
    Instance instance(library(), host);
    ASSERT_TRUE(instance.start());
    Block block(64, 0.0f);
    block.run(instance, 0, {midiEvent(0, 0x90, 60, 1), paramEvent(0, 1, 0.5)});
    clap_test::InputList list({midiEvent(0, 0x90, 61, 1), paramEvent(0, 0, 0.25)});
    const auto* params = instance.extension<clap::PluginParams>(clap::kExtParams);
    params->flush(instance.plugin, &list.list, &block.out.list);
    EXPECT_TRUE(block.out.events.empty());
    block.run(instance, 64, {});
    EXPECT_TRUE(block.out.events.empty());
    EXPECT_EQ(valueOf(instance, 0), 0.25);
    EXPECT_EQ(valueOf(instance, 1), 0.5);
}

// An edit the editor makes (tarvel_clap::TarvelClap's edit calls, which
// the editor's ParameterControl makes) goes to the host at the next block's
// first frame, or the next flush, as a gesture around its values; the value
// is the effect's at once. The host is asked for that flush each time.
TEST_F(ClapPlugin, EditorEditsGoOutAsGesturesWithTheirValues) {
    static int flushRequests = 0;
    clap::HostParams hostParams{};
    hostParams.requestFlush = [](const clap::Host*) { ++flushRequests; };
    static const clap::HostParams* offered = nullptr;
    offered = &hostParams;
    host.host.getExtension = [](const clap::Host* h, const char* id) -> const void* {
        auto* self = static_cast<clap_test::TestHost*>(h->hostData);
        if (std::strcmp(id, clap::kExtParams) == 0) {
            return offered;
        }
        return std::strcmp(id, clap::kExtThreadCheck) == 0 ? &self->threadCheck : nullptr;
    };
    tarvel_clap::TarvelClap plugin(&host.host);
    ASSERT_TRUE(plugin.init());
    ASSERT_TRUE(plugin.activate());
    plugin.editBegin(0);
    plugin.editValue(0, 0.4);
    plugin.editValue(0, 2.0);
    plugin.editEnd(0);
    EXPECT_EQ(flushRequests, 4);
    double value = 0.0;
    ASSERT_TRUE(plugin.value(0, value));
    EXPECT_EQ(value, 1.0) << "brought into 0..1, at once";
    EXPECT_FALSE(plugin.takeChangeNotice()) << "the editor's own edit is no news to it";

    OutputList out;
    clap_test::InputList none({});
    plugin.flush(&none.list, &out.list);
    Event begin;
    begin.type = clap::kEventParamGestureBegin;
    Event end;
    end.type = clap::kEventParamGestureEnd;
    const std::vector<Event> expected = {begin, paramEvent(0, 0, 0.4), paramEvent(0, 0, 1.0), end};
    EXPECT_EQ(out.events, expected);
    // Sent once: the next flush has nothing; a host's value is news.
    OutputList again;
    clap_test::InputList change({paramEvent(0, 1, 0.5)});
    plugin.flush(&change.list, &again.list);
    EXPECT_TRUE(again.events.empty());
    EXPECT_TRUE(plugin.takeChangeNotice());
    EXPECT_FALSE(plugin.takeChangeNotice());
}

// A host that calls out of turn is refused, not obeyed.
TEST_F(ClapPlugin, CallsOutOfOrderAreRefused) {
    Instance instance(library(), host);
    ASSERT_NE(instance.plugin, nullptr);
    Block block(32, 0.5f, 7.0f);
    EXPECT_FALSE(instance.plugin->startProcessing(instance.plugin)) << "not active";
    EXPECT_EQ(block.run(instance, 32, {}), clap::kProcessError);
    EXPECT_EQ(block.left[0], 7.0f);
    ASSERT_TRUE(instance.start());
    EXPECT_FALSE(instance.plugin->activate(instance.plugin, 48000.0, 1, 64)) << "already active";
    clap::Process empty{};
    empty.framesCount = 32;
    EXPECT_EQ(instance.plugin->process(instance.plugin, &empty), clap::kProcessError)
        << "no buffers";
    EXPECT_EQ(instance.plugin->process(instance.plugin, nullptr), clap::kProcessError);
    EXPECT_EQ(block.run(instance, 32, {}), clap::kProcessContinue);
    instance.plugin->reset(instance.plugin);
    instance.plugin->stopProcessing(instance.plugin);
    instance.plugin->deactivate(instance.plugin);
    instance.processing = instance.active = false;
    EXPECT_TRUE(instance.start()) << "active again after a deactivation";
    // The instance is destroyed while active and processing, as a crashing
    // session's host may: the destructor stops and deactivates first.
}

} // namespace
