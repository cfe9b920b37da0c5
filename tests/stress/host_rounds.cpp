#include "host_rounds.h"

#include <cstdio>
#include <functional>

#include "harness/host_call.h"
#include "harness/stereo_buffer.h"

namespace {
const char* programName = "stress";
bool failed = false;

void mark(const std::function<void()>& at) {
    if (at)
        at();
}
} // namespace

void nameStressProgram(const char* program) {
    programName = program;
}

void fail(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", programName, what.c_str());
    failed = true;
}

bool anyFailure() {
    return failed;
}

std::unique_ptr<PluginModule> loadLibrary(const std::string& path) {
    std::string error;
    std::unique_ptr<PluginModule> module = openPluginModule(path, error);
    if (module == nullptr) {
        fail(error);
    }
    return module;
}

bool start(PluginHost& host, PluginEntry entry) {
    if (!startInstance(host, entry)) {
        fail("main returned null");
        return false;
    }
    return true;
}

void oneInstance(PluginEntry entry) {
    const std::string problem = useOneInstance(entry);
    if (!problem.empty()) {
        fail(problem);
    }
}

bool startInstance(PluginHost& host, PluginEntry entry) {
    if (!host.load(entry)) {
        return false;
    }
    host.open();
    host.setSampleRate(44100.0f);
    host.setBlockSize(kLongRunBlockFrames);
    host.resume();
    return true;
}

std::string useOneInstance(PluginEntry entry) {
    PluginHost host;
    if (!startInstance(host, entry)) {
        return "main returned null";
    }
    StereoBuffer input(kLongRunBlockFrames), output(kLongRunBlockFrames);
    input.fill(0.25f);
    host.processBlock({MidiMessage{10, 0x90, 60, 100}}, input, output, ProcessMode::replacing);
    const bool relayed = relayedMidi(host.calls()).size() == 1;
    host.setParameter(0, 0.5f);
    host.suspend();
    host.close();
    return relayed ? "" : "the note was not relayed";
}

std::vector<std::string> compareWithRunsAlone(PluginEntry entry,
                                              const std::vector<LongRunResult>& together,
                                              long long blocks) {
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < together.size(); ++i) {
        PluginHost host;
        if (!startInstance(host, entry)) {
            problems.push_back("main returned null");
            break;
        }
        const std::string name = "instance " + std::to_string(i);
        LongRun alone(host, static_cast<unsigned>(i));
        alone.run(blocks);
        const std::string side = describe(together[i]);
        const std::string solo = describe(alone.result());
        std::printf("instance %2d: %s\n", static_cast<int>(i), side.c_str());
        if (side != solo) {
            problems.push_back(name + " differs from its run alone: " + solo);
        }
        if (alone.result().nonFinite != 0 || alone.result().channelsDiffer != 0) {
            problems.push_back(name + " produced unsound output");
        }
    }
    return problems;
}

void instanceCycles(PluginEntry entry, int cycles, const RoundMarks& marks) {
    for (int i = 0; i < 10; ++i) {
        oneInstance(entry);
    }
    mark(marks.warmedUp);
    for (int i = 0; i < cycles && !anyFailure(); ++i) {
        oneInstance(entry);
    }
    std::printf("instance cycles (library loaded once): %d\n", cycles);
    mark(marks.done);
}

std::vector<LongRunResult> runSideBySide(PluginEntry entry, int count, long long blocks,
                                         const RoundMarks& marks) {
    std::vector<std::unique_ptr<PluginHost>> hosts;
    std::vector<std::unique_ptr<LongRun>> runs;
    for (int i = 0; i < count; ++i) {
        hosts.push_back(std::make_unique<PluginHost>());
        if (!start(*hosts.back(), entry)) {
            return {};
        }
        runs.push_back(std::make_unique<LongRun>(*hosts.back(), static_cast<unsigned>(i)));
    }
    const long long warmUp = blocks / 10;
    for (long long block = 0; block < blocks; ++block) {
        if (block == warmUp) {
            mark(marks.warmedUp);
        }
        for (auto& run : runs) {
            run->run(1);
        }
    }
    mark(marks.done);
    std::vector<LongRunResult> results;
    for (auto& run : runs) {
        results.push_back(run->result());
    }
    return results;
}

void sideBySideAsAlone(PluginEntry entry, int count, long long blocks, const RoundMarks& marks) {
    const std::vector<LongRunResult> together = runSideBySide(entry, count, blocks, marks);
    if (together.size() != static_cast<std::size_t>(count)) {
        return;
    }
    for (const std::string& problem : compareWithRunsAlone(entry, together, blocks)) {
        fail(problem);
    }
    std::printf("instances=%d blocks_each=%lld\n", count, blocks);
}

LongRunResult runAlone(PluginEntry entry, long long blocks, long long warmUp,
                       const RoundMarks& marks) {
    PluginHost host;
    if (!start(host, entry)) {
        return {};
    }
    LongRun run(host);
    run.run(warmUp);
    mark(marks.warmedUp);
    run.run(blocks - warmUp);
    mark(marks.done);
    host.suspend();
    host.close();
    return run.result();
}

void checkSound(const LongRunResult& result, long long blocks) {
    if (result.blocks != blocks) {
        fail("the run is incomplete");
    }
    if (result.nonFinite != 0) {
        fail("the output held samples that are no finite number");
    }
    if (result.channelsDiffer != 0) {
        fail("the two outputs differ");
    }
}
