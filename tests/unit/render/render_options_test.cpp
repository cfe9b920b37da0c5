// tarvel-render's command line: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render_options.h"

namespace {

bool parse(const std::vector<std::string>& args, RenderOptions& options, std::string& error) {
    options = RenderOptions{};
    return parseRenderOptions(args, options, error);
}

TEST(RenderOptions, OneNameIsTheOutputTwoAreInputAndOutput) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse({"out.wav"}, options, error)) << error;
    EXPECT_EQ(options.outputPath, "out.wav");
    EXPECT_TRUE(options.inputPath.empty());

    ASSERT_TRUE(parse({"in.wav", "--block-size", "256", "out.wav"}, options, error)) << error;
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_EQ(options.outputPath, "out.wav");
    EXPECT_EQ(options.blockSize, 256);

    ASSERT_TRUE(parse({"-o", "out.wav", "in.wav"}, options, error)) << error;
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_EQ(options.outputPath, "out.wav");
}

TEST(RenderOptions, ReadsGainsControllersModesAndThePluginToRun) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--ncvolume", "0.25", "--ipvolume", "1", "--cc1", "100:64", "--cc1", "0:127",
                       "--accumulating", "--random-blocks", "9", "--dll", "T.dll", "--signal",
                       "noise", "out.wav"},
                      options, error))
        << error;
    EXPECT_EQ(options.ncvolume, 0.25f);
    EXPECT_EQ(options.ipvolume, 1.0f);
    ASSERT_EQ(options.controllers.size(), 2u);
    EXPECT_EQ(options.controllers[0].frame, 100);
    EXPECT_EQ(options.controllers[0].value, 64);
    EXPECT_EQ(options.controllers[1].frame, 0);
    EXPECT_EQ(options.controllers[1].value, 127);
    EXPECT_EQ(options.mode, ProcessMode::accumulating);
    EXPECT_TRUE(options.randomBlocks);
    EXPECT_EQ(options.randomSeed, 9u);
    EXPECT_EQ(options.dllPath, "T.dll");
    EXPECT_EQ(options.signalName, "noise");

    ASSERT_TRUE(parse({"--plugin", "lib/libtarvel-vst.so", "out.wav"}, options, error)) << error;
    EXPECT_EQ(options.pluginPath, "lib/libtarvel-vst.so");
    EXPECT_TRUE(options.dllPath.empty());
}

TEST(RenderOptions, RefusesValuesOutOfRangeOrMalformed) {
    const std::vector<std::vector<std::string>> refused = {
        {"--ncvolume", "1.5", "o.wav"},
        {"--ipvolume", "-0.1", "o.wav"},
        {"--ncvolume", "nan", "o.wav"},
        {"--ncvolume", "0.5x", "o.wav"},
        {"--ncvolume", "", "o.wav"},
        {"--cc1", "100:128", "o.wav"},
        {"--cc1", "100", "o.wav"},
        {"--cc1", "-5:3", "o.wav"},
        {"--cc1", "x:1", "o.wav"},
        {"--cc1", "5:", "o.wav"},
        {"--block-size", "0", "o.wav"},
        {"--block-size", "65537", "o.wav"},
        {"--random-blocks", "-1", "o.wav"},
        {"--signal", "pink", "o.wav"},
        {"--bogus", "o.wav"},
        {"o.wav", "--ncvolume"},
        {"a.wav", "b.wav", "c.wav"},
        {"same.wav", "same.wav"},
        {"--plugin", "a.so", "--dll", "T.dll", "o.wav"},
        {"o.wav", "--plugin"},
        {}};
    for (const auto& args : refused) {
        RenderOptions options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << (args.empty() ? "(nothing)" : args[0]);
        EXPECT_FALSE(error.empty());
    }
}

TEST(RenderOptions, HelpNeedsNoOutput) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--help"}, options, error));
    EXPECT_TRUE(options.showHelp);
}

TEST(RenderOptions, ReadsThePlotOptionsAndRefusesAPlotOverAnotherFile) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse(
        {"in.wav", "out.wav", "--plot", "p.png", "--plot-range", "0.5:1s", "--plot-data", "p.json"},
        options, error))
        << error;
    EXPECT_EQ(options.plotPath, "p.png");
    EXPECT_EQ(options.plotDataPath, "p.json");
    EXPECT_TRUE(options.plotRange.start.seconds);
    EXPECT_EQ(options.plotRange.end.value, 1.0);

    EXPECT_FALSE(parse({"out.wav", "--plot-range", "0:100"}, options, error));
    EXPECT_NE(error.find("needs --plot"), std::string::npos) << error;
    EXPECT_FALSE(parse({"out.wav", "--plot", "p.png", "--plot-range", "x"}, options, error));
    EXPECT_FALSE(parse({"in.wav", "out.wav", "--plot", "in.wav"}, options, error));
    EXPECT_FALSE(parse({"in.wav", "out.wav", "--plot-data", "out.wav"}, options, error));
    EXPECT_FALSE(parse({"out.wav", "--plot"}, options, error));
}

} // namespace
