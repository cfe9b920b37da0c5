// The audio: cycle capture and playback, frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "effect_test_support.h"

namespace {

// Two samples at +1 then two at -1, starting with +1.
std::vector<float> squareWave(int frames) {
    std::vector<float> wave(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        wave[static_cast<std::size_t>(i)] = (i % 4) < 2 ? 1.0f : -1.0f;
    }
    return wave;
}

// Sampled half a sample off its zeros, so no sample is exactly 0.0 and the
// upward crossings fall at multiples of the period.
std::vector<float> sineWave(int frames, int period) {
    std::vector<float> wave(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        wave[static_cast<std::size_t>(i)] =
            static_cast<float>(std::sin(2.0 * M_PI * (i + 0.5) / period));
    }
    return wave;
}

TEST(CycleCapture, SquareWaveOfPeriodFourIsRecordedAndReplayedOnce) {
    TarvelEffect effect(nullptr);
    const std::vector<float> in = squareWave(48);
    const std::vector<float> out = runBlock(effect, in.data(), 48);
    // Frames 4 to 7 record, frame 8 closes the cycle, frames 9 to 13 replay
    // +1 +1 -1 -1 0 over the live input, 14 and 15 wait, 16 records again.
    const float replay[] = {1.0f, 1.0f, -1.0f, -1.0f, 0.0f};
    for (int i = 0; i < 48; ++i) {
        const int offset = (i - 9) % 12;
        const float played = i >= 9 && offset < 5 ? replay[offset] : 0.0f;
        EXPECT_EQ(out[static_cast<std::size_t>(i)], in[static_cast<std::size_t>(i)] + played)
            << "frame " << i;
    }
}

// A sample of exactly 0.0 after a negative one is an upward crossing: it
// starts a recording and, later, closes it.
TEST(CycleCapture, ExactZeroAfterANegativeSampleIsACrossing) {
    TarvelEffect effect(nullptr);
    effect.setParameter(1, 0.0f);
    const std::vector<float> in = {-1.0f, 0.0f, 0.5f, -0.5f, -0.25f, 0.0f,
                                   0.7f,  0.7f, 0.7f, 0.7f,  0.7f,   0.7f};
    const std::vector<float> out = runBlock(effect, in.data(), 12);
    const std::vector<float> expected = {0, 0, 0, 0, 0, 0, 0.0f, 0.5f, -0.5f, -0.25f, 0.0f, 0};
    EXPECT_EQ(out, expected);
}

TEST(CycleCapture, SineOfPeriod100RecordsEvery300Samples) {
    TarvelEffect effect(nullptr);
    effect.setParameter(1, 0.0f); // hear the replay alone
    const std::vector<float> in = sineWave(1500, 100);
    const std::vector<float> out = runBlock(effect, in.data(), 1500);
    // Recordings start at 100, 400, 700, ...: 100 samples plus the closing
    // 0.0 are replayed from the frame after the next crossing.
    for (int i = 0; i < 1500; ++i) {
        const int offset = (i - 201) % 300;
        const float expected =
            i >= 201 && offset < 100 ? in[static_cast<std::size_t>(i - 101)] : 0.0f;
        EXPECT_EQ(out[static_cast<std::size_t>(i)], expected) << "frame " << i;
    }
}

// Subnormal samples are kept as they are, neither flushed to zero nor read as
// zero: a tone far below hearing crosses, records and replays at the frames
// the same tone does at full level, and its replayed samples come back
// exactly. Blocks of 1500 frames take the stretches, blocks of 5 the steps.
TEST(CycleCapture, SubnormalToneIsRecordedAndReplayedAsAtFullLevel) {
    const std::vector<float> loud = sineWave(1500, 100);
    std::vector<float> quiet(loud.size());
    std::transform(loud.begin(), loud.end(), quiet.begin(), [](float x) { return x * 1.0e-39f; });
    ASSERT_LT(std::fabs(quiet[25]), 1.17549435e-38f) << "the quiet tone must be subnormal";
    for (int32 blockSize : {1500, 5}) {
        TarvelEffect effect(nullptr);
        effect.setParameter(1, 0.0f); // hear the replay alone
        std::vector<float> out;
        for (int32 start = 0; start < 1500; start += blockSize) {
            const std::vector<float> block = runBlock(effect, quiet.data() + start, blockSize);
            out.insert(out.end(), block.begin(), block.end());
        }
        // Compared bit for bit: a processor set to read subnormals as zero
        // would also call them equal to 0.0.
        for (int i = 0; i < 1500; ++i) {
            const int offset = (i - 201) % 300;
            const float heard = out[static_cast<std::size_t>(i)];
            if (i >= 201 && offset < 100) {
                const float replayed = quiet[static_cast<std::size_t>(i - 101)];
                ASSERT_EQ(std::memcmp(&heard, &replayed, sizeof heard), 0)
                    << "frame " << i << ", blocks of " << blockSize;
            } else {
                ASSERT_EQ(std::fpclassify(heard), FP_ZERO) << "frame " << i;
            }
        }
    }
}

TEST(CycleCapture, CycleLongerThanTheBufferIsCutAt11025Samples) {
    for (float stretch : {0.5f, -0.5f}) {
        TarvelEffect effect(nullptr);
        effect.setParameter(1, 0.0f);
        // One upward crossing at frame 1, then no other for a long time.
        std::vector<float> in(30000, stretch);
        in[0] = -1.0f;
        in[1] = 1.0f;
        const std::vector<float> out = runBlock(effect, in.data(), 30000);
        for (int i = 0; i < 30000; ++i) {
            float expected = 0.0f;
            if (i >= 11026 && i <= 22050) {
                expected = in[static_cast<std::size_t>(i - 11025)];
            }
            ASSERT_EQ(out[static_cast<std::size_t>(i)], expected)
                << "frame " << i << ", stretch " << stretch;
        }
    }
}

TEST(CycleCapture, InputThatNeverGoesNegativeOnlyPassesThrough) {
    TarvelEffect effect(nullptr);
    effect.setParameter(1, 0.5f);
    std::vector<float> in(4000);
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i] = (i % 7 == 0) ? 0.0f : 0.25f * static_cast<float>(i % 5);
    }
    const std::vector<float> out = runBlock(effect, in.data(), 4000);
    for (std::size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(out[i], in[i] * 0.5f) << "frame " << i;
    }
}

TEST(CycleCapture, GainsAreReadAtEveryStep) {
    TarvelEffect effect(nullptr);
    effect.setParameter(1, 0.0f);
    const std::vector<float> in = squareWave(12);
    std::vector<float> out = runBlock(effect, in.data(), 11); // playback through frame 10
    EXPECT_EQ(out[9], 1.0f);
    EXPECT_EQ(out[10], 1.0f);
    effect.setParameter(0, 0.5f);
    out = runBlock(effect, in.data() + 11, 1);
    EXPECT_EQ(out[0], -0.5f) << "the rest of the playback uses the new gain";
}

TEST(CycleCapture, ProcessAddsAndProcessReplacingOverwrites) {
    for (bool replacing : {false, true}) {
        TarvelEffect effect(nullptr);
        const std::vector<float> in = squareWave(32);
        std::vector<float> right(32, 0.3f);
        std::vector<float> outLeft(32, 1.0f);
        std::vector<float> outRight(32, 1.0f);
        float* inputs[] = {const_cast<float*>(in.data()), right.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        if (replacing) {
            effect.processReplacing(inputs, outputs, 32);
        } else {
            effect.process(inputs, outputs, 32);
        }
        TarvelEffect reference(nullptr);
        const std::vector<float> y = runBlock(reference, in.data(), 32);
        for (std::size_t i = 0; i < 32; ++i) {
            const float expected = replacing ? y[i] : 1.0f + y[i];
            EXPECT_EQ(outLeft[i], expected) << "frame " << i;
            EXPECT_EQ(outRight[i], expected) << "frame " << i;
        }
    }
}

// A noisy signal with many crossings, cut into random blocks, gives the same
// output bit for bit as one block; the right input changes nothing.
TEST(CycleCapture, OutputDoesNotDependOnBlockPartition) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::uniform_int_distribution<int> blockLength(1, 700);
    const int frames = 40000;
    std::vector<float> in(frames);
    for (int i = 0; i < frames; ++i) {
        in[static_cast<std::size_t>(i)] =
            sample(random) + 0.3f * std::sin(0.01f * static_cast<float>(i));
    }
    TarvelEffect whole(nullptr);
    whole.setParameter(0, 0.8f);
    whole.setParameter(1, 0.6f);
    const std::vector<float> expected = runBlock(whole, in.data(), frames);

    for (int trial = 0; trial < 3; ++trial) {
        TarvelEffect pieces(nullptr);
        pieces.setParameter(0, 0.8f);
        pieces.setParameter(1, 0.6f);
        std::vector<float> outLeft(frames), outRight(frames), right(frames);
        for (float& x : right) {
            x = sample(random);
        }
        for (int done = 0; done < frames;) {
            const int length = std::min(blockLength(random), frames - done);
            float* inputs[] = {in.data() + done, right.data() + done};
            float* outputs[] = {outLeft.data() + done, outRight.data() + done};
            pieces.processReplacing(inputs, outputs, length);
            done += length;
        }
        EXPECT_EQ(std::memcmp(outLeft.data(), expected.data(), frames * sizeof(float)), 0);
        EXPECT_EQ(std::memcmp(outRight.data(), expected.data(), frames * sizeof(float)), 0);
    }
}

TEST(CycleCapture, SuspendAndResumeLeavePlaybackWhereItWas) {
    TarvelEffect interrupted(nullptr);
    TarvelEffect steady(nullptr);
    const std::vector<float> in = squareWave(40);
    const std::vector<float> expected = runBlock(steady, in.data(), 40);
    std::vector<float> first = runBlock(interrupted, in.data(), 11);
    interrupted.dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
    interrupted.dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> rest = runBlock(interrupted, in.data() + 11, 29);
    first.insert(first.end(), rest.begin(), rest.end());
    EXPECT_EQ(first, expected);
}

// Missing buffers or an empty block: nothing is read, written or advanced.
TEST(CycleCapture, MissingBuffersAndEmptyBlocksAreNotProcessed) {
    TarvelEffect effect(nullptr);
    std::vector<float> in = squareWave(16);
    std::vector<float> out(16, 7.0f);
    float* left = in.data();
    float* outLeft = out.data();
    float* noLeft[] = {nullptr, left};
    float* noOutput[] = {outLeft, nullptr};
    float* inputs[] = {left, left};
    float* outputs[] = {outLeft, outLeft};
    effect.processReplacing(nullptr, outputs, 16);
    effect.processReplacing(inputs, nullptr, 16);
    effect.process(noLeft, outputs, 16);
    effect.process(inputs, noOutput, 16);
    effect.processReplacing(inputs, outputs, 0);
    effect.processReplacing(inputs, outputs, -5);
    EXPECT_EQ(out, std::vector<float>(16, 7.0f));

    // A missing right input is never needed: the block runs as usual.
    float* monoInputs[] = {left, nullptr};
    std::vector<float> outRight(16);
    float* monoOutputs[] = {outLeft, outRight.data()};
    effect.processReplacing(monoInputs, monoOutputs, 16);
    TarvelEffect fresh(nullptr);
    EXPECT_EQ(out, runBlock(fresh, in.data(), 16)) << "the refused calls left no trace";
}

} // namespace
