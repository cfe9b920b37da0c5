// A host that processes carelessly: frame counts of 0 or less, a block far
// larger than the block size it announced, missing buffers, and sample rates
// and block sizes no host should set.
#include <vector>

#include "hostile/hostile_support.h"

using namespace hostile;

namespace {

void processBoth(AEffect* record, float** inputs, float** outputs, int32 frames) {
    record->process(record, inputs, outputs, frames);
    record->processReplacing(record, inputs, outputs, frames);
}

} // namespace

TEST(HostileProcessing, FrameCountsOfZeroOrLessTouchNothing) {
    Plugin plugin;
    std::vector<VstMidiEvent> note{midiEvent(3, 0x90, 64, 90)};
    EventList list(note);
    plugin.dispatch(effProcessEvents, 0, 0, list.list());

    for (int32 frames : {0, -1, -64, -1048576, kIntMin}) {
        std::vector<float> left = sine(64, 20.0), right(64, 0.25f);
        std::vector<float> outLeft(64, 0.5f), outRight(64, 0.5f);
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        processBoth(plugin.record, inputs, outputs, frames);
        EXPECT_TRUE(sameSamples(outLeft, std::vector<float>(64, 0.5f))) << frames;
        EXPECT_TRUE(sameSamples(outRight, std::vector<float>(64, 0.5f))) << frames;
    }
    EXPECT_TRUE(relayedEvents(plugin.host).empty()) << "no frame processed, so nothing came due";
    EXPECT_EQ(plugin.effect().queuedEvents(), 1) << "the queued note waits for a real block";
    render(plugin.record, sine(64, 20.0), 64);
    EXPECT_EQ(relayedEvents(plugin.host).size(), 1u);
    expectStillWorks(plugin);
}

// A host announces blocks of 64 frames and then hands over 1,048,576 at
// once, with buffers of that size: the block is processed whole, exactly as
// the same signal in blocks of 64, and its events come due at their frames.
TEST(HostileProcessing, MillionFrameBlockAfterAnnouncingSixtyFour) {
    Plugin plugin;
    plugin.dispatch(effSetBlockSize, 0, 64);
    constexpr std::size_t kFrames = 1048576;
    const std::vector<float> input = sine(kFrames, 441.0);

    std::vector<VstMidiEvent> notes{midiEvent(0, 0x90, 60, 1), midiEvent(1000, 0x90, 61, 2),
                                    midiEvent(1048575, 0x90, 62, 3),
                                    midiEvent(2000000, 0x90, 63, 4)};
    EventList list(notes);
    plugin.dispatch(effProcessEvents, 0, 0, list.list());
    const std::vector<float> whole = render(plugin.record, input, static_cast<int32>(kFrames));

    Plugin reference;
    EXPECT_TRUE(sameSamples(whole, render(reference.record, input, 64)))
        << "block boundaries do not change the sound";
    const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
    ASSERT_EQ(relayed.size(), 4u);
    // Released in frame order: 0, 1000, 2000000 % 1048576 = 951424, 1048575.
    EXPECT_EQ(relayed[0].midiData[1], 60);
    EXPECT_EQ(relayed[1].midiData[1], 61);
    EXPECT_EQ(relayed[2].midiData[1], 63);
    EXPECT_EQ(relayed[3].midiData[1], 62);
    EXPECT_EQ(relayed[2].deltaFrames, 2000000);
    expectStillWorks(plugin);
}

// Missing buffers: a block without the left input or either output is not
// processed; a missing right input is not needed, as the right input is
// never heard.
TEST(HostileProcessing, MissingBuffers) {
    Plugin plugin;
    std::vector<float> left = sine(64, 20.0), right(64, 0.0f), outLeft(64, 0.5f),
                       outRight(64, 0.5f);
    float* outputs[] = {outLeft.data(), outRight.data()};
    float* inputs[] = {left.data(), right.data()};
    float* noLeft[] = {nullptr, right.data()};
    float* noRightOut[] = {outLeft.data(), nullptr};
    float* noLeftOut[] = {nullptr, outRight.data()};

    processBoth(plugin.record, nullptr, outputs, 64);
    processBoth(plugin.record, inputs, nullptr, 64);
    processBoth(plugin.record, noLeft, outputs, 64);
    processBoth(plugin.record, inputs, noRightOut, 64);
    processBoth(plugin.record, inputs, noLeftOut, 64);
    EXPECT_TRUE(sameSamples(outLeft, std::vector<float>(64, 0.5f)));
    EXPECT_TRUE(sameSamples(outRight, std::vector<float>(64, 0.5f)));

    Plugin reference;
    float* noRight[] = {left.data(), nullptr};
    plugin.record->processReplacing(plugin.record, noRight, outputs, 64);
    EXPECT_TRUE(sameSamples(outLeft, render(reference.record, left, 64)));
    EXPECT_TRUE(sameSamples(outLeft, outRight));
    expectStillWorks(plugin);
}

// The sound does not depend on the sample rate or the block size the host
// announces, so no announcement can break it.
TEST(HostileProcessing, SampleRatesAndBlockSizesNoHostShouldSet) {
    Plugin plugin;
    for (float rate :
         {0.0f, -44100.0f, kNaN, kInf, -kInf, std::numeric_limits<float>::denorm_min()}) {
        EXPECT_EQ(plugin.dispatch(effSetSampleRate, 0, 0, nullptr, rate), 0);
        EXPECT_EQ(plugin.dispatch(effSetBlockSizeAndSampleRate, 0, 64, nullptr, rate), 1);
    }
    for (int32 size : kHostileInts) {
        EXPECT_EQ(plugin.dispatch(effSetBlockSize, 0, size), 0);
    }
    char text[256] = {};
    plugin.dispatch(effGetParamDisplay, 0, 0, text);
    EXPECT_STREQ(text, "0.000000");
    expectStillWorks(plugin);
}

// Samples no signal should hold pass through as the arithmetic makes them,
// one replayed cycle later they are gone, and both outputs stay equal.
TEST(HostileProcessing, NotANumberInfiniteAndDenormalSamples) {
    Plugin plugin;
    std::vector<float> input = sine(4000, 100.0);
    input[150] = kNaN;
    input[420] = kInf;
    input[777] = -kInf;
    input[900] = std::numeric_limits<float>::denorm_min();
    input[1500] = std::numeric_limits<float>::max();
    render(plugin.record, input, 512);
    expectStillWorks(plugin);
}
