// The plot's data: waveforms reduced to columns, stretches and marks kept
// inside the plotted frames, the plotted frames from --plot-range, and the
// JSON the drawing script reads.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "plot_data.h"
#include "plot_range.h"

namespace {

using Phase = CycleStretch::Phase;

TEST(PlotData, ColumnsHoldTheLowestAndHighestSampleAcrossBlocks) {
    // Frames 10 to 20 in at most 4 columns: 3 frames each, the last one 1.
    PlotData plot(10, 20, 100.0, 4);
    EXPECT_EQ(plot.framesPerColumn(), 3);
    const std::vector<float> input = {9.0f,  9.0f, 1.0f, -2.0f, 3.0f, 0.5f, 0.25f,
                                      -1.0f, 2.0f, 4.0f, -4.0f, 5.0f, 9.0f};
    std::vector<float> output(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        output[i] = 2.0f * input[i];
    }
    // Frames 8 to 21 in blocks of 5, 5 and 3: the first two and the last
    // frame lie outside.
    plot.addBlock(8, input.data(), output.data(), 5);
    plot.addBlock(13, input.data() + 5, output.data() + 5, 5);
    plot.addBlock(18, input.data() + 10, output.data() + 10, 3);
    // Frames 10 to 19 hold 1 -2 3 | 0.5 0.25 -1 | 2 4 -4 | 5.
    EXPECT_EQ(plot.inputLow(), (std::vector<float>{-2.0f, -1.0f, -4.0f, 5.0f}));
    EXPECT_EQ(plot.inputHigh(), (std::vector<float>{3.0f, 0.5f, 4.0f, 5.0f}));
    EXPECT_EQ(plot.outputLow(), (std::vector<float>{-4.0f, -2.0f, -8.0f, 10.0f}));
    EXPECT_EQ(plot.outputHigh(), (std::vector<float>{6.0f, 1.0f, 8.0f, 10.0f}));
}

TEST(PlotData, AShortRangeKeepsEverySample) {
    PlotData plot(0, 5, 48000.0, 4000);
    const std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f};
    plot.addBlock(0, samples.data(), samples.data(), 5);
    EXPECT_EQ(plot.framesPerColumn(), 1);
    EXPECT_EQ(plot.inputLow(), samples);
    EXPECT_EQ(plot.inputHigh(), samples);
}

TEST(PlotData, StretchesAndMarksAreCutToThePlottedFrames) {
    PlotData plot(100, 200, 100.0, 50);
    plot.addStretches({{Phase::recording, 10, 50, false},
                       {Phase::replay, 90, 120, false},
                       {Phase::recording, 150, 160, false},
                       {Phase::replay, 190, 260, true},
                       {Phase::recording, 200, 210, false}});
    EXPECT_EQ(plot.stretches(), (std::vector<CycleStretch>{{Phase::replay, 100, 120, false},
                                                           {Phase::recording, 150, 160, false},
                                                           {Phase::replay, 190, 200, true}}));
    plot.addMark(99, "before");
    plot.addMark(100, "first \"CC1\"");
    plot.addMark(200, "after");
    plot.title = "in\\put\n";
    std::ostringstream json;
    plot.writeJson(json);
    const std::string text = json.str();
    EXPECT_NE(text.find("\"recordings\": [[150,160,false]]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"replays\": [[100,120,false],[190,200,true]]"), std::string::npos);
    EXPECT_NE(text.find("{\"frame\": 100, \"text\": \"first \\\"CC1\\\"\"}"), std::string::npos);
    EXPECT_EQ(text.find("before"), std::string::npos);
    EXPECT_EQ(text.find("after"), std::string::npos);
    EXPECT_NE(text.find("\"title\": \"in\\\\put\\u000a\""), std::string::npos);
    EXPECT_NE(text.find("\"first\": 100,\n\"last\": 200,\n\"framesPerColumn\": 2"),
              std::string::npos);
}

TEST(PlotData, SamplesJsonCannotHoldBecomeNull) {
    PlotData plot(0, 3, 100.0, 10);
    const std::vector<float> input = {0.25f, std::numeric_limits<float>::infinity(), std::nanf("")};
    plot.addBlock(0, input.data(), input.data(), 3);
    std::ostringstream json;
    plot.writeJson(json);
    EXPECT_NE(json.str().find("\"inputLow\": [0.25,null,null]"), std::string::npos) << json.str();
}

TEST(PlotRange, ReadsFramesSecondsAndOpenEnds) {
    PlotRange range;
    std::int64_t first = 0;
    std::int64_t last = 0;
    std::string error;
    ASSERT_TRUE(PlotRange::parse("22050:26460", range));
    ASSERT_TRUE(range.resolve(44100.0, 88200, first, last, error)) << error;
    EXPECT_EQ(first, 22050);
    EXPECT_EQ(last, 26460);

    ASSERT_TRUE(PlotRange::parse("0.5:0.6", range));
    ASSERT_TRUE(range.resolve(44100.0, 88200, first, last, error)) << error;
    EXPECT_EQ(first, 22050);
    EXPECT_EQ(last, 26460);

    ASSERT_TRUE(PlotRange::parse("1s:", range));
    ASSERT_TRUE(range.resolve(48000.0, 100000, first, last, error)) << error;
    EXPECT_EQ(first, 48000);
    EXPECT_EQ(last, 100000);

    ASSERT_TRUE(PlotRange::parse(":1e", range) == false);
    ASSERT_TRUE(PlotRange::parse(":300000", range));
    ASSERT_TRUE(range.resolve(48000.0, 100000, first, last, error)) << error;
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 100000); // stops at the signal's end
}

TEST(PlotRange, RefusesMalformedTextAndRangesWithNothingToDraw) {
    PlotRange range;
    for (const char* text : {"100", "a:b", "-1:5", "1:-5", "1.2.3:4", "s:4", "1:2:3", "0x10:20"}) {
        EXPECT_FALSE(PlotRange::parse(text, range)) << text;
    }
    std::int64_t first = 0;
    std::int64_t last = 0;
    std::string error;
    ASSERT_TRUE(PlotRange::parse("5000:", range));
    EXPECT_FALSE(range.resolve(44100.0, 5000, first, last, error));
    EXPECT_NE(error.find("after the signal's end"), std::string::npos) << error;
    ASSERT_TRUE(PlotRange::parse("200:100", range));
    EXPECT_FALSE(range.resolve(44100.0, 5000, first, last, error));
    ASSERT_TRUE(PlotRange::parse(":", range));
    EXPECT_FALSE(range.resolve(44100.0, 0, first, last, error));
    EXPECT_NE(error.find("empty"), std::string::npos) << error;
}

} // namespace
