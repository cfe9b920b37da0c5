// The capture rule as tarvel-render follows it, on the cases whose answers
// are known by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cycle_counter.h"

namespace {

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

} // namespace
