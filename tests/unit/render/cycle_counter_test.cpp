// The capture rule as tarvel-render follows it, on the cases whose answers
// are known by hand: which frames replay, how many cycles, and the recording
// and replay stretches the plot shades.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cycle_counter.h"

namespace {

using Phase = CycleStretch::Phase;

std::vector<int> replayFrames(CycleCounter& counter, const std::vector<float>& input) {
    std::vector<int> frames;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (counter.step(input[i])) {
            frames.push_back(static_cast<int>(i));
        }
    }
    return frames;
}

TEST(CycleCounter, SquareOfPeriodFourReplaysFramesNineToThirteen) {
    // +1 +1 -1 -1 ...: crossings at 4, 8, 12, ...; recording 4 to 7, frame 8
    // completes the cycle, 9 to 13 replay it (with the appended zero), 16
    // starts the next recording.
    std::vector<float> square;
    for (int i = 0; i < 30; ++i) {
        square.push_back(i % 4 < 2 ? 1.0f : -1.0f);
    }
    CycleCounter counter;
    EXPECT_EQ(replayFrames(counter, square),
              (std::vector<int>{9, 10, 11, 12, 13, 21, 22, 23, 24, 25}));
    EXPECT_EQ(counter.recorded(), 2);
    EXPECT_EQ(counter.replayed(), 2);
    EXPECT_EQ(counter.cut(), 0);
    EXPECT_TRUE(counter.recordingAtEnd()); // the third, started at 28
}

TEST(CycleCounter, SteadySineRecordsEveryThreePeriods) {
    CycleCounter counter;
    int lastRecorded = 0;
    std::vector<int> completions;
    for (int i = 0; i < 3000; ++i) {
        counter.step(static_cast<float>(std::sin(2.0 * 3.14159265358979 * (i - 50.5) / 100.0)));
        if (counter.recorded() != lastRecorded) {
            completions.push_back(i);
            lastRecorded = counter.recorded();
        }
    }
    ASSERT_GE(completions.size(), 3u);
    EXPECT_EQ(completions[1] - completions[0], 300);
    EXPECT_EQ(completions[2] - completions[1], 300);
}

TEST(CycleCounter, ALongStretchIsCutAtTheCapacity) {
    std::vector<float> input = {-1.0f};
    input.resize(1 + 2 * CycleCounter::kCapacity + 10, 0.5f);
    CycleCounter counter;
    const std::vector<int> frames = replayFrames(counter, input);
    EXPECT_EQ(counter.recorded(), 1);
    EXPECT_EQ(counter.cut(), 1);
    EXPECT_EQ(counter.replayed(), 1);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(CycleCounter::kCapacity));
    EXPECT_EQ(frames.front(), 1 + CycleCounter::kCapacity);
}

TEST(CycleCounter, SilenceAndPositiveInputRecordNothing) {
    CycleCounter counter;
    for (int i = 0; i < 1000; ++i) {
        EXPECT_FALSE(counter.step(i < 500 ? 0.0f : 0.25f));
    }
    EXPECT_EQ(counter.recorded(), 0);
    EXPECT_FALSE(counter.recordingAtEnd());
}

// Every stretch the counter kept over `input`, fed in one go.
std::vector<CycleStretch> stretchesOf(CycleCounter& counter, const std::vector<float>& input) {
    counter.keepStretches();
    replayFrames(counter, input);
    return counter.takeStretches();
}

int countOf(const std::vector<CycleStretch>& stretches, Phase phase, bool cutOnly = false) {
    int count = 0;
    for (const CycleStretch& stretch : stretches) {
        count += stretch.phase == phase && (stretch.cut || !cutOnly) ? 1 : 0;
    }
    return count;
}

TEST(CycleStretches, SquareOfPeriodFourRecordsFourFramesAndReplaysFive) {
    std::vector<float> square;
    for (int i = 0; i < 30; ++i) {
        square.push_back(i % 4 < 2 ? 1.0f : -1.0f);
    }
    CycleCounter counter;
    EXPECT_EQ(stretchesOf(counter, square), (std::vector<CycleStretch>{
                                                {Phase::recording, 4, 8, false},
                                                {Phase::replay, 9, 14, false},
                                                {Phase::recording, 16, 20, false},
                                                {Phase::replay, 21, 26, false},
                                            }));
    CycleStretch running;
    ASSERT_TRUE(counter.stretchInProgress(running));
    EXPECT_EQ(running, (CycleStretch{Phase::recording, 28, 30, false}));
}

TEST(CycleStretches, SineOfPeriodHundredRecordsOneCycleInThreeAtKnownFrames) {
    // Crossings at 1, 101, 201, ...: the cycle from 1 is recorded up to the
    // crossing at 101 and replayed with its closing zero from 102 to 202;
    // the crossing at 201 falls in the replay, so the next cycle is 301's.
    std::vector<float> sine;
    for (int i = 0; i < 3000; ++i) {
        sine.push_back(
            static_cast<float>(0.5 * std::sin(2.0 * 3.14159265358979 * (i - 0.5) / 100.0)));
    }
    CycleCounter counter;
    const std::vector<CycleStretch> stretches = stretchesOf(counter, sine);
    ASSERT_EQ(stretches.size(), 20u);
    for (std::size_t k = 0; k < 10; ++k) {
        const std::int64_t start = 1 + 300 * static_cast<std::int64_t>(k);
        EXPECT_EQ(stretches[2 * k], (CycleStretch{Phase::recording, start, start + 100, false}));
        EXPECT_EQ(stretches[2 * k + 1],
                  (CycleStretch{Phase::replay, start + 101, start + 202, false}));
    }
    EXPECT_EQ(countOf(stretches, Phase::recording), counter.recorded());
    EXPECT_EQ(countOf(stretches, Phase::replay), counter.replayed());
}

TEST(CycleStretches, ACutCycleAndItsReplayAreMarkedCut) {
    std::vector<float> input = {-1.0f};
    input.resize(1 + 2 * CycleCounter::kCapacity + 10, 0.5f);
    CycleCounter counter;
    const std::vector<CycleStretch> stretches = stretchesOf(counter, input);
    const std::int64_t end = 1 + CycleCounter::kCapacity;
    EXPECT_EQ(stretches, (std::vector<CycleStretch>{
                             {Phase::recording, 1, end, true},
                             {Phase::replay, end, end + CycleCounter::kCapacity, true},
                         }));
    EXPECT_EQ(countOf(stretches, Phase::recording, true), counter.cut());
}

TEST(CycleStretches, TheCountsAreTheStretchesOnNoiseFedInPieces) {
    // Short and long cycles at random, taken a few frames at a time as the
    // renderer takes them block by block.
    std::uint32_t state = 7;
    CycleCounter counter;
    counter.keepStretches();
    std::vector<CycleStretch> stretches;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        // Noise, then 12000 frames below zero and 12000 above: whatever the
        // noise left running, one of the two holds a cut recording.
        const int phase = i % 50000;
        const float noise = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
        counter.step(phase < 26000 ? noise : phase < 38000 ? -0.5f : 0.1f);
        if (i % 37 == 0) {
            const std::vector<CycleStretch> taken = counter.takeStretches();
            stretches.insert(stretches.end(), taken.begin(), taken.end());
        }
    }
    const std::vector<CycleStretch> rest = counter.takeStretches();
    stretches.insert(stretches.end(), rest.begin(), rest.end());
    ASSERT_GT(counter.recorded(), 100);
    ASSERT_GT(counter.cut(), 0);
    EXPECT_EQ(countOf(stretches, Phase::recording), counter.recorded());
    EXPECT_EQ(countOf(stretches, Phase::replay), counter.replayed());
    EXPECT_EQ(countOf(stretches, Phase::recording, true), counter.cut());
    for (std::size_t i = 1; i < stretches.size(); ++i) {
        EXPECT_LE(stretches[i - 1].end, stretches[i].start) << i;
        EXPECT_NE(stretches[i - 1].phase, stretches[i].phase) << i;
    }
}

TEST(CycleStretches, NoneAreKeptUnlessAsked) {
    std::vector<float> square;
    for (int i = 0; i < 30; ++i) {
        square.push_back(i % 4 < 2 ? 1.0f : -1.0f);
    }
    CycleCounter counter;
    replayFrames(counter, square);
    EXPECT_EQ(counter.recorded(), 2);
    EXPECT_TRUE(counter.takeStretches().empty());
}

} // namespace
