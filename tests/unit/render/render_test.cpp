// Renders through the linked-in plug-in: the block plan, the MIDI placed on
// its frames, and the cycle count checked against the audio.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/vst_opcodes.h"
#include "renderer.h"
#include "signal_source.h"
#include "wav_writer.h"

namespace {

struct Rendered {
    bool ok = false;
    std::string error;
    RenderReport report;
    std::vector<float> left, right;
    std::vector<HostCall> calls;
};

Rendered renderLinked(const RenderOptions& options) {
    Rendered result;
    std::unique_ptr<SignalSource> source = makeBuiltInSignal(options.signalName);
    std::unique_ptr<PluginConnection> plugin = connectLinkedPlugin();
    RenderSink sink;
    sink.audio = [&result](const float* left, const float* right, std::int64_t frames) {
        result.left.insert(result.left.end(), left, left + frames);
        result.right.insert(result.right.end(), right, right + frames);
        return true;
    };
    sink.calls = [&result](const std::string&, const std::vector<HostCall>& calls) {
        result.calls.insert(result.calls.end(), calls.begin(), calls.end());
    };
    result.ok = render(options, *source, *plugin, sink, nullptr, result.report, result.error);
    return result;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(BlockPlan, FixedBlocksEndWithTheRemainder) {
    BlockPlan plan(512, false, 0);
    EXPECT_EQ(plan.next(2000), 512);
    EXPECT_EQ(plan.next(100), 100);
}

TEST(BlockPlan, RandomBlocksStayWithinOneToTheBlockSizeAndRepeatForASeed) {
    BlockPlan plan(64, true, 5);
    BlockPlan again(64, true, 5);
    bool sawShort = false;
    for (int i = 0; i < 1000; ++i) {
        const int32 length = plan.next(1 << 20);
        EXPECT_GE(length, 1);
        EXPECT_LE(length, 64);
        EXPECT_EQ(length, again.next(1 << 20));
        sawShort = sawShort || length < 8;
    }
    EXPECT_TRUE(sawShort);
}

TEST(ControllersInBlock, PicksTheBlocksOwnFramesInTimeOrder) {
    const std::vector<TimedController> controllers = {
        {600, 1}, {511, 2}, {512, 3}, {1024, 4}, {520, 5}};
    const std::vector<MidiMessage> midi = controllersInBlock(controllers, 512, 512);
    ASSERT_EQ(midi.size(), 3u);
    EXPECT_EQ(midi[0], controller1(0, 3));
    EXPECT_EQ(midi[1], controller1(8, 5));
    EXPECT_EQ(midi[2], controller1(88, 1));
}

TEST(Render, TheCycleCountAgreesWithTheAudioOnEverySignal) {
    for (const char* signal : {"default", "noise", "slow"}) {
        for (float ipvolume : {1.0f, 0.5f, 0.0f}) {
            RenderOptions options;
            options.signalName = signal;
            options.ipvolume = ipvolume;
            const Rendered rendered = renderLinked(options);
            ASSERT_TRUE(rendered.ok) << rendered.error;
            EXPECT_EQ(rendered.report.disagreeingFrames, 0) << signal << " " << ipvolume;
            EXPECT_GT(rendered.report.cycles.recorded(), 0) << signal;
        }
    }
    RenderOptions slow;
    slow.signalName = "slow";
    const Rendered rendered = renderLinked(slow);
    EXPECT_EQ(rendered.report.cycles.recorded(), 2);
    EXPECT_EQ(rendered.report.cycles.cut(), 2);
}

TEST(Render, ThePlotGetsTheStretchesTheSummaryCounts) {
    RenderOptions options;
    options.randomBlocks = true;
    options.blockSize = 300;
    std::unique_ptr<SignalSource> source = makeBuiltInSignal("default");
    std::unique_ptr<PluginConnection> plugin = connectLinkedPlugin();
    std::vector<CycleStretch> stretches;
    std::int64_t expectedPosition = 0;
    std::vector<float> outputSeen;
    std::vector<float> outputWritten;
    RenderSink sink;
    sink.audio = [&](const float* left, const float*, std::int64_t frames) {
        outputWritten.insert(outputWritten.end(), left, left + frames);
        return true;
    };
    sink.plot = [&](std::int64_t position, const float*, const float* output, std::int64_t frames,
                    const std::vector<CycleStretch>& ended) {
        EXPECT_EQ(position, expectedPosition);
        expectedPosition += frames;
        outputSeen.insert(outputSeen.end(), output, output + frames);
        for (const CycleStretch& stretch : ended) {
            EXPECT_LE(stretch.end, position + frames);
        }
        stretches.insert(stretches.end(), ended.begin(), ended.end());
    };
    RenderReport report;
    std::string error;
    ASSERT_TRUE(render(options, *source, *plugin, sink, nullptr, report, error)) << error;
    EXPECT_EQ(outputSeen, outputWritten);

    int recordings = 0;
    int replays = 0;
    std::int64_t replayedFrames = 0;
    for (const CycleStretch& stretch : stretches) {
        if (stretch.phase == CycleStretch::Phase::recording) {
            ++recordings;
        } else {
            ++replays;
            replayedFrames += stretch.end - stretch.start;
        }
    }
    ASSERT_GT(recordings, 10);
    EXPECT_EQ(recordings, report.cycles.recorded());
    EXPECT_EQ(replays, report.cycles.replayed());
    // Outside the stretches the output is the input (ipvolume 1); inside the
    // replays the replayed cycle is added, so the shading is where the sound
    // changed.
    EXPECT_EQ(report.disagreeingFrames, 0);
    EXPECT_GT(replayedFrames, 0);
}

TEST(Render, BlockLengthsDoNotChangeTheAudioOrTheRelayedMidi) {
    RenderOptions fixed;
    fixed.controllers = {{0, 127}, {5000, 0}, {5001, 90}, {30000, 20}, {88199, 64}};
    const Rendered reference = renderLinked(fixed);
    ASSERT_TRUE(reference.ok) << reference.error;
    EXPECT_EQ(reference.report.controllersSent, 5);
    EXPECT_EQ(reference.report.midiRelayed, 5);

    for (std::uint32_t seed : {1u, 2u}) {
        RenderOptions random = fixed;
        random.randomBlocks = true;
        random.randomSeed = seed;
        random.blockSize = 700;
        const Rendered rendered = renderLinked(random);
        ASSERT_TRUE(rendered.ok) << rendered.error;
        EXPECT_GT(rendered.report.blocks, reference.report.blocks);
        EXPECT_EQ(rendered.left, reference.left) << "seed " << seed;
        EXPECT_EQ(rendered.right, reference.right) << "seed " << seed;
        EXPECT_EQ(rendered.report.midiRelayed, 5);
    }
}

TEST(Render, ControllerOneSilencesTheReplaysFromItsFrame) {
    RenderOptions options;
    options.controllers = {{0, 0}};
    const Rendered silenced = renderLinked(options);
    ASSERT_TRUE(silenced.ok) << silenced.error;
    std::unique_ptr<SignalSource> source = makeBuiltInSignal("default");
    std::vector<float> left(static_cast<std::size_t>(source->frames()));
    std::vector<float> right(left.size());
    source->read(left.data(), right.data(), source->frames());
    EXPECT_EQ(silenced.left, left); // ncvolume 0 from frame 0: only the input is heard
}

TEST(Render, ProcessOntoSilenceEqualsProcessReplacing) {
    RenderOptions replacing;
    replacing.signalName = "noise";
    RenderOptions accumulating = replacing;
    accumulating.mode = ProcessMode::accumulating;
    const Rendered a = renderLinked(replacing);
    const Rendered b = renderLinked(accumulating);
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
}

TEST(Render, TheHostSeesTheSetUpSequence) {
    const Rendered rendered = renderLinked(RenderOptions{});
    ASSERT_TRUE(rendered.ok) << rendered.error;
    ASSERT_GE(rendered.calls.size(), 2u);
    EXPECT_EQ(rendered.calls[0].opcode, audioMasterVersion);
    EXPECT_TRUE(rendered.calls[0].fromNullEffect);
    EXPECT_EQ(rendered.calls[1].opcode, audioMasterWantMidi); // on resume
    EXPECT_EQ(rendered.calls[1].value, 1);
}

TEST(Render, AMissingLibraryFailsTheRenderWithAReason) {
    RenderOptions options;
    std::unique_ptr<SignalSource> source = makeBuiltInSignal("default");
    std::unique_ptr<PluginConnection> plugin =
        connectPluginServer("/nonexistent/TARVEL.dll", "plugin-server.exe", "wine");
    RenderReport report;
    std::string error;
    EXPECT_FALSE(render(options, *source, *plugin, RenderSink{}, nullptr, report, error));
    EXPECT_NE(error.find("/nonexistent/TARVEL.dll"), std::string::npos) << error;
}

TEST(Render, ANativeLibraryThatCannotLoadFailsTheRenderWithAReason) {
    RenderOptions options;
    std::unique_ptr<SignalSource> source = makeBuiltInSignal("default");
    std::unique_ptr<PluginConnection> plugin =
        connectNativeLibrary("/nonexistent/libtarvel-vst.so");
    RenderReport report;
    std::string error;
    EXPECT_FALSE(render(options, *source, *plugin, RenderSink{}, nullptr, report, error));
    EXPECT_NE(error.find("/nonexistent/libtarvel-vst.so"), std::string::npos) << error;
}

TEST(WavFiles, WrittenSamplesReadBackExactlyAndFilesRepeatByteForByte) {
    const std::string first = testing::TempDir() + "tarvel_render_first.wav";
    const std::string second = testing::TempDir() + "tarvel_render_second.wav";
    const std::vector<float> left = {0.0f, -0.0f, 1.0e-40f, 1.5f, -1.0f / 3.0f};
    const std::vector<float> right = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f};
    for (const std::string& path : {first, second}) {
        WavWriter writer;
        std::string error;
        ASSERT_TRUE(writer.open(path, 48000, error)) << error;
        ASSERT_TRUE(writer.write(left.data(), right.data(), 5));
        ASSERT_TRUE(writer.close());
    }
    EXPECT_EQ(fileBytes(first), fileBytes(second));

    std::string error;
    std::unique_ptr<SignalSource> source = openSignalFile(first, error);
    ASSERT_NE(source, nullptr) << error;
    EXPECT_EQ(source->sampleRate(), 48000.0);
    ASSERT_EQ(source->frames(), 5);
    std::vector<float> readLeft(5);
    std::vector<float> readRight(5);
    EXPECT_EQ(source->read(readLeft.data(), readRight.data(), 5), 5);
    EXPECT_EQ(std::memcmp(readLeft.data(), left.data(), 5 * sizeof(float)), 0);
    EXPECT_EQ(readRight, right);
    std::remove(first.c_str());
    std::remove(second.c_str());
}

TEST(WavFiles, AnUnreadableInputIsRefused) {
    std::string error;
    EXPECT_EQ(openSignalFile("/nonexistent/input.wav", error), nullptr);
    EXPECT_FALSE(error.empty());
}

} // namespace
